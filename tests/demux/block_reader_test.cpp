#include <gtest/gtest.h>

#include <cstddef>
#include <sstream>
#include <string>

#include "demux/BlockReader.h"

namespace cut2edl {
namespace {

// The reader fills 64 KiB at a time; these put start codes across that border.
constexpr std::size_t blockBorder = 64 * 1024;

std::string filler(std::size_t count) { return std::string(count, '\xFF'); }
std::string startCode(char id) { return std::string("\x00\x00\x01", 3) + id; }

TEST(BlockReader, FindsStartCodesCutByTheBlockBorderAtEveryByte) {
    for (std::size_t at = blockBorder - 4; at <= blockBorder; ++at) {
        std::istringstream in(filler(at) + startCode('\xE0') + filler(10));
        BlockReader reader(in, BlockReader::unbounded);
        EXPECT_EQ(reader.nextStartCode(), 0xE0) << at;
        EXPECT_EQ(reader.position(), static_cast<std::int64_t>(at + 4)) << at;
        EXPECT_EQ(reader.next(), 0xFF) << at;
        EXPECT_EQ(reader.nextStartCode(), -1) << at;
    }
}

TEST(BlockReader, PassesOverCodesAndLetsACodeByteOfZeroBeginTheNextOne) {
    // 00 00 01 00 00 01 C0 with the second prefix cut by the border.
    std::istringstream in(filler(blockBorder - 5) + startCode('\x00') + std::string("\x00\x01\xC0", 3));
    BlockReader reader(in, BlockReader::unbounded);
    EXPECT_EQ(reader.nextStartCode(start_codes_below(0xBD)), 0xC0);
    EXPECT_EQ(reader.position(), static_cast<std::int64_t>(blockBorder + 2));
    reader.seek(0);
    EXPECT_EQ(reader.nextStartCode(), 0x00);
    EXPECT_EQ(reader.nextStartCode(), 0xC0);
}

TEST(BlockReader, EndsAtTheLimitAndHasNothingLeftAfterwards) {
    const std::string bytes = filler(100) + startCode('\xB3') + filler(3);
    std::istringstream cut(bytes);
    BlockReader beforeTheCode(cut, 103);
    EXPECT_EQ(beforeTheCode.nextStartCode(), -1);
    EXPECT_EQ(beforeTheCode.next(), -1);
    std::istringstream whole(bytes);
    BlockReader withTheCode(whole, 104);
    EXPECT_EQ(withTheCode.nextStartCode(), 0xB3);
}

}  // namespace
}  // namespace cut2edl
