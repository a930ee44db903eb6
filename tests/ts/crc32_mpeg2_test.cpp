#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "ts/crc32_mpeg2.h"

namespace cut2edl {
namespace {

TEST(Crc32Mpeg2, GivesTheCheckValueAndNothingOverASectionAsSent) {
    constexpr std::string_view check = "123456789";
    EXPECT_EQ(crc32_mpeg2(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0x0376E6E7u);
    // A PAT of one program as ffmpeg sent it, its CRC_32 last.
    std::vector<std::uint8_t> pat{0x00, 0xB0, 0x0D, 0x00, 0x01, 0xC1, 0x00, 0x00,
                                  0x00, 0x01, 0xF0, 0x00, 0x2A, 0xB1, 0x04, 0xB2};
    EXPECT_EQ(crc32_mpeg2(pat.data(), pat.size()), 0u);
    pat[9] ^= 0x01;
    EXPECT_NE(crc32_mpeg2(pat.data(), pat.size()), 0u);
}

}  // namespace
}  // namespace cut2edl
