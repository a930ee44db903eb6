#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mpeg/bit_string_support.h"
#include "nal/hevc/parameter_set_bits.h"
#include "nal/hevc/video_parameter_set_rbsp.h"

namespace cut2edl::hevc {
namespace {

using test::ue;
using test::vps_bits;
using test::vps_timing;

struct Parsed {
    explicit Parsed(const std::string& bits, int cut_to = -1) : bytes(from_bits(bits)) {
        vps.parse(bytes.data(), cut_to < 0 ? static_cast<int>(bytes.size()) : cut_to, &position);
    }

    std::vector<std::string> lines() const {
        std::vector<std::string> rendered;
        vps.dump([&rendered](std::string_view line) { rendered.emplace_back(line); });
        return rendered;
    }

    std::vector<std::uint8_t> bytes;
    int position = 0;
    video_parameter_set_rbsp vps;
};

TEST(VideoParameterSetRbsp, SubLayersLayerSetsTimingAndHrdPerLayerSet) {
    const Parsed parsed(vps_bits());
    const auto& vps = parsed.vps;
    EXPECT_EQ(vps.vps_video_parameter_set_id.value, 3);
    EXPECT_EQ(vps.profile.general_level_idc.value, 93);
    EXPECT_EQ(vps.profile.general_level_idc.span, make_span(15, 15));
    // Two pairs of flags and 12 bits of padding: the sub-layer parts start at byte 18.
    ASSERT_EQ(vps.profile.sub_layers.size(), 2u);
    const auto& sub_layer = vps.profile.sub_layers[0];
    EXPECT_EQ(sub_layer.profile.profile_idc.value, 4);
    EXPECT_EQ(sub_layer.profile.profile_space.span, make_span(18, 18));
    EXPECT_EQ(sub_layer.profile.lower_bit_rate_constraint_flag.value, 1);
    EXPECT_EQ(sub_layer.profile.inbld_flag.value, 1);
    EXPECT_EQ(sub_layer.sub_layer_level_idc.value, 90);
    EXPECT_EQ(sub_layer.sub_layer_level_idc.span, make_span(29, 29));
    EXPECT_FALSE(vps.profile.sub_layers[1].sub_layer_level_present_flag.value);
    ASSERT_EQ(vps.ordering.sub_layers.size(), 3u);
    EXPECT_EQ(vps.ordering.sub_layers[2].max_latency_increase_plus1.value, 5u);
    ASSERT_EQ(vps.layer_id_included_flag.size(), 1u);
    EXPECT_EQ(vps.frame_rate(), 60000.0 / 1001.0);
    EXPECT_TRUE(vps.read_to_end);

    ASSERT_EQ(vps.hrd_parameters_of_layer_sets.size(), 2u);
    const hrd_parameters& first = vps.hrd_parameters_of_layer_sets[0].parameters;
    EXPECT_EQ(first.common.cpb_size_scale.value, 6);
    ASSERT_EQ(first.sub_layers.size(), 3u);
    EXPECT_EQ(first.sub_layers[0].fixed_pic_rate_within_cvs_flag.value, 1) << "inferred";
    EXPECT_EQ(first.sub_layers[0].nal_sub_layer_hrd_parameters->schedules[0].bit_rate_value_minus1.value, 9u);
    EXPECT_EQ(first.sub_layers[0].vcl_sub_layer_hrd_parameters, nullptr);
    EXPECT_EQ(first.sub_layers[1].low_delay_hrd_flag.value, 1);
    EXPECT_EQ(first.sub_layers[1].nal_sub_layer_hrd_parameters->schedules.size(), 1u) << "cpb_cnt_minus1 0";
    EXPECT_EQ(first.sub_layers[2].elemental_duration_in_tc_minus1.value, 1u);
    ASSERT_EQ(first.sub_layers[2].nal_sub_layer_hrd_parameters->schedules.size(), 2u);
    EXPECT_EQ(first.sub_layers[2].nal_sub_layer_hrd_parameters->schedules[1].cbr_flag.value, 1);
    const auto& second = vps.hrd_parameters_of_layer_sets[1];
    EXPECT_EQ(second.cprms_present_flag.value, 0);
    EXPECT_EQ(second.parameters.common.initial_cpb_removal_delay_length_minus1.value, 23) << "from the first";
    ASSERT_EQ(second.parameters.sub_layers.size(), 3u);
    EXPECT_NE(second.parameters.sub_layers[2].nal_sub_layer_hrd_parameters, nullptr);

    const std::vector<std::string> lines = parsed.lines();
    const auto has = [&lines](const std::string& line) { return std::ranges::find(lines, line) != lines.end(); };
    EXPECT_TRUE(has("sub_layer_tier_flag[0]: 1 (High)"));
    EXPECT_TRUE(has("sub_layer_profile_idc[0]: 4 (Format range extensions)"));
    EXPECT_TRUE(has("sub_layer_max_monochrome_constraint_flag[0]: Yes"));
    EXPECT_TRUE(has("layer_id_included_flag[1]: 11"));
    EXPECT_TRUE(has("cprms_present_flag[1]: No"));
    EXPECT_TRUE(has("  NAL sub_layer_hrd_parameters(2):"));
    EXPECT_TRUE(has("    cpb_size_value_minus1[1]: 1"));
    EXPECT_EQ(lines.back(), "Picture rate: 59.9401 pictures per second");
}

TEST(VideoParameterSetRbsp, WithoutTimingOrCutOffTheRateIsUndetermined) {
    const Parsed untimed(vps_bits("0"));
    EXPECT_TRUE(untimed.vps.read_to_end);
    EXPECT_TRUE(untimed.vps.complete_through_timing());
    EXPECT_EQ(untimed.vps.frame_rate(), -1.0);
    EXPECT_EQ(untimed.lines().back(), "Picture rate: not determined");

    const std::string bits = vps_bits();
    const std::string through_timing = bits.substr(0, bits.find(vps_timing) + vps_timing.size());
    const int timing_end = static_cast<int>(from_bits(through_timing).size());
    for (int length = 0; length < static_cast<int>(from_bits(bits).size()); ++length) {
        const Parsed parsed(bits, length);
        EXPECT_LE(parsed.position, length);
        EXPECT_FALSE(parsed.vps.read_to_end);
        EXPECT_EQ(parsed.vps.frame_rate(), length >= timing_end ? 60000.0 / 1001.0 : -1.0) << length;
        EXPECT_FALSE(parsed.lines().empty());
    }
}

TEST(VideoParameterSetRbsp, CountsBeyondTheirLimitsEndTheParse) {
    // vps_max_sub_layers_minus1 7 (bits 12 to 14).
    std::string eight_sub_layers = vps_bits();
    eight_sub_layers.replace(12, 3, "111");
    const Parsed sub_layers(eight_sub_layers);
    EXPECT_EQ(sub_layers.vps.vps_max_sub_layers_minus1.value, 0);
    EXPECT_EQ(sub_layers.vps.profile.general_level_idc.span, 0u);
    EXPECT_FALSE(sub_layers.vps.complete_through_timing());
    // Behind the timing: 3 HRDs for 2 layer sets, or an HRD for layer set 2.
    const std::string bits = vps_bits();
    const std::string through_timing = bits.substr(0, bits.find(vps_timing) + vps_timing.size());
    for (const std::string& beyond : {ue(3), ue(1) + ue(2)}) {
        const Parsed parsed(through_timing + beyond + test::ones(100));
        EXPECT_EQ(parsed.vps.frame_rate(), 60000.0 / 1001.0) << "the timing before it stands";
        EXPECT_TRUE(parsed.vps.hrd_parameters_of_layer_sets.empty());
        EXPECT_FALSE(parsed.vps.read_to_end);
    }
}

}  // namespace
}  // namespace cut2edl::hevc
