#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "nal/nal_unit.h"

namespace cut2edl {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Units = std::vector<std::pair<int, int>>;  // offset, length

Bytes operator+(Bytes left, const Bytes& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

Units walk(const Bytes& bytes) {
    const int length = static_cast<int>(bytes.size());
    Units units;
    for (NalUnit unit = find_nal_unit(bytes.data(), length, 0); unit.found();
         unit = find_nal_unit(bytes.data(), length, unit.end())) {
        units.emplace_back(unit.offset, unit.length);
    }
    return units;
}

// A video PES header with a PTS whose bytes hold 00 00 01 41: were the header
// not passed over, they would begin a NAL unit of type 1.
const Bytes pes_header = {0x00, 0x00, 0x01, 0xE0, 0x00, 0x00, 0x80, 0x80, 0x05, 0x21, 0x00, 0x00, 0x01, 0x41};

TEST(NalUnit, EachRunsToTheNextStartCodeWithoutItsZeros) {
    // 0-3 start code, 4-6 unit, 7-9 start code, 10-11 unit, 12 trailing zero,
    // 13-15 start code, 16-17 unit to the end.
    const Bytes bytes = {0x00, 0x00, 0x00, 0x01, 0x67, 0xAA, 0xBB, 0x00, 0x00, 0x01,
                         0x68, 0xCC, 0x00, 0x00, 0x00, 0x01, 0x65, 0xDD};
    EXPECT_EQ(walk(bytes), (Units{{4, 3}, {10, 2}, {16, 2}}));
    const NalUnit from_inside = find_nal_unit(bytes.data(), static_cast<int>(bytes.size()), 4);
    EXPECT_EQ(from_inside.offset, 10) << "a start code in front of `from` is not looked at";
}

TEST(NalUnit, PassesOverPesHeadersByTheirLength) {
    // 0-13 PES header, 14-17 start code, 18-19 access unit delimiter, 20-22
    // start code, 23-26 parameter set cut off by the second PES header at 27-40,
    // 41-42 its continuation, 43-45 start code, 46-47 unit.
    const Bytes bytes = pes_header + Bytes{0x00, 0x00, 0x00, 0x01, 0x09, 0xF0, 0x00, 0x00, 0x01, 0x67, 0x64, 0x00, 0x28}
                        + pes_header + Bytes{0x11, 0x22, 0x00, 0x00, 0x01, 0x68, 0xEE};
    EXPECT_EQ(walk(bytes), (Units{{18, 2}, {23, 4}, {46, 2}}));
}

TEST(NalUnit, StartCodesThatBeginNoUnit) {
    // A forbidden zero bit (an MPEG-2 sequence header code), an empty unit
    // (00 00 01 straight behind 00 00 01) and a PES header the buffer cuts off.
    EXPECT_EQ(walk({0x00, 0x00, 0x01, 0xB3, 0x14, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x67, 0x42}), (Units{{11, 2}}));
    EXPECT_EQ(walk({0x00, 0x00, 0x01, 0xE0, 0x00, 0x00, 0x80, 0x80}), Units{});
    EXPECT_EQ(walk({0x12, 0x00, 0x00, 0x01}), Units{});
    EXPECT_EQ(walk({0x00, 0x00}), Units{});
    EXPECT_EQ(walk({}), Units{});
}

TEST(NalUnit, FindsAStartCodeRightBehindAOneThatIsNone) {
    // The 01 at 2 has a single zero in front; the next possible 01 is at 5.
    EXPECT_EQ(walk({0xAA, 0x00, 0x01, 0x00, 0x00, 0x01, 0x65, 0x88}), (Units{{6, 2}}));
    EXPECT_EQ(walk({0xAA, 0x01, 0x00, 0x00, 0x01, 0x65}), (Units{{5, 1}}));
}

}  // namespace
}  // namespace cut2edl
