#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "mpeg/bit_string_support.h"
#include "nal/hevc/parameter_set_bits.h"
#include "nal/hevc/parameter_sets.h"

namespace cut2edl::hevc {
namespace {

using test::SpsBits;
using Bytes = std::vector<std::uint8_t>;

// A start code, the two header bytes and the escaped RBSP of `bits`.
void append_unit(Bytes& buffer, std::uint8_t header_0, std::uint8_t header_1, const std::string& bits) {
    buffer.insert(buffer.end(), {0, 0, 1, header_0, header_1});
    const Bytes unit = test::escaped(from_bits(bits));
    buffer.insert(buffer.end(), unit.begin(), unit.end());
}

SpsBits sps_of_vps(const std::string& vps_id) {
    SpsBits sps;
    sps.head = vps_id + "000" "1" + test::main_profile + "01011010";
    return sps;
}

// A PES header with a PTS, then an SPS of layer 1 (42 09), the VPS (40 01),
// the base layer's SPS (42 01) and a slice.
Bytes buffer_with(const std::string& sps_bits) {
    Bytes buffer{0, 0, 1, 0xE0, 0, 0, 0x80, 0x80, 5, 0x21, 0, 1, 0, 1, 0};
    SpsBits layer_1 = sps_of_vps("0011");
    layer_1.format = test::ue(0) + test::ue(1) + test::ue(1920) + test::ue(1080) + "0" + test::ue(0) + test::ue(0) +
                     test::ue(4);
    append_unit(buffer, 0x42, 0x09, layer_1.bits());
    append_unit(buffer, 0x40, 0x01, test::vps_bits());
    append_unit(buffer, 0x42, 0x01, sps_bits);
    append_unit(buffer, 0x26, 0x01, "10101111");
    return buffer;
}

TEST(FindParameterSets, TakesTheRateFromTheVpsTheSpsNamesWhereTheSpsHasNone) {
    const Bytes buffer = buffer_with(sps_of_vps("0011").bits());
    const ParameterSets found = find_parameter_sets(buffer.data(), static_cast<int>(buffer.size()), 100);
    ASSERT_NE(found.vps, nullptr);
    ASSERT_NE(found.sps, nullptr);
    EXPECT_TRUE(found.vps->read_to_end) << "its emulation prevention bytes removed";
    EXPECT_EQ(found.sps->width(), 720) << "the base layer's";
    EXPECT_EQ(span_first(found.sps->span), 100);
    EXPECT_EQ(found.sps->frame_rate(), -1.0);
    EXPECT_TRUE(found.rate_from_vps());
    EXPECT_EQ(found.frame_rate(), 60000.0 / 1001.0);
    // An SPS naming VPS 0 takes nothing from VPS 3.
    const Bytes other = buffer_with(sps_of_vps("0000").bits());
    EXPECT_EQ(find_parameter_sets(other.data(), static_cast<int>(other.size())).frame_rate(), -1.0);
}

TEST(FindParameterSets, WithoutParameterSetsOrWithTheSpsAlone) {
    const Bytes none{0, 0, 1, 0x26, 0x01, 0xAF, 0, 0, 1, 0x40};
    const ParameterSets nothing = find_parameter_sets(none.data(), static_cast<int>(none.size()));
    EXPECT_EQ(nothing.vps, nullptr) << "a header cut after its first byte";
    EXPECT_EQ(nothing.sps, nullptr);
    EXPECT_EQ(nothing.frame_rate(), -1.0);

    // A VUI of flags 0 up to the timing 1 / 50, no HRD, no restrictions.
    SpsBits timed;
    timed.vui = "1" + test::zeros(8) + "1" + test::bits32(1) + test::bits32(50) + "0" "0" "0";
    Bytes alone;
    append_unit(alone, 0x42, 0x01, timed.bits());
    const ParameterSets found = find_parameter_sets(alone.data(), static_cast<int>(alone.size()));
    EXPECT_EQ(found.vps, nullptr);
    ASSERT_NE(found.sps, nullptr);
    EXPECT_TRUE(found.sps->read_to_end);
    EXPECT_EQ(found.frame_rate(), 50.0);
    EXPECT_FALSE(found.rate_from_vps());
}

}  // namespace
}  // namespace cut2edl::hevc
