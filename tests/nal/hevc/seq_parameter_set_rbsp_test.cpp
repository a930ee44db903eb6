#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mpeg/bit_string_support.h"
#include "nal/hevc/parameter_set_bits.h"
#include "nal/hevc/seq_parameter_set_rbsp.h"

namespace cut2edl::hevc {
namespace {

using test::bits16;
using test::bits32;
using test::se;
using test::SpsBits;
using test::ue;
using Lines = std::vector<std::string>;

struct Parsed {
    explicit Parsed(const std::string& bits, int cut_to = -1) : bytes(from_bits(bits)) {
        sps.parse(bytes.data(), cut_to < 0 ? static_cast<int>(bytes.size()) : cut_to, &position);
    }

    Lines lines() const {
        Lines rendered;
        sps.dump([&rendered](std::string_view line) { rendered.emplace_back(line); });
        return rendered;
    }
    bool has_line(const std::string& line) const { return std::ranges::count(lines(), line) == 1; }

    std::vector<std::uint8_t> bytes;
    int position = 0;
    seq_parameter_set_rbsp sps;
};

TEST(SeqParameterSetRbsp, MainWithoutVuiHasASizeButNoRate) {
    const Parsed parsed(SpsBits{}.bits());
    const auto& sps = parsed.sps;
    EXPECT_EQ(sps.profile.general_level_idc.span, make_span(12, 12)) << "behind 8 bits and the 88-bit profile";
    EXPECT_EQ(sps.pic_width_in_luma_samples.span, make_span(13, 15));
    EXPECT_EQ(sps.width(), 720);
    EXPECT_EQ(sps.height(), 576);
    EXPECT_EQ(sps.frame_rate(), -1.0);
    EXPECT_TRUE(sps.complete_through_timing());
    EXPECT_TRUE(sps.read_to_end);
    // The Main profile's branch: one_picture_only_constraint_flag and inbld_flag.
    const Lines lines = parsed.lines();
    EXPECT_EQ(Lines(lines.begin() + 3, lines.begin() + 14),
              (Lines{"general_profile_space: 0", "general_tier_flag: 0 (Main)", "general_profile_idc: 1 (Main)",
                     "general_profile_compatibility_flag: 01100000000000000000000000000000",
                     "general_progressive_source_flag: Yes", "general_interlaced_source_flag: No",
                     "general_non_packed_constraint_flag: No", "general_frame_only_constraint_flag: Yes",
                     "general_one_picture_only_constraint_flag: No", "general_inbld_flag: No",
                     "general_level_idc: 90"}));
    EXPECT_TRUE(parsed.has_line("sps_max_latency_increase_plus1[0]: 5"));
    EXPECT_EQ(Lines(lines.end() - 4, lines.end()), (Lines{"vui_parameters_present_flag: No",
                                                          "sps_extension_present_flag: No", "Frame size: 720 x 576",
                                                          "Frame rate: not determined"}));
}

// Main 10, 1920 x 1088 coded with a conformance window of 4 chroma lines at
// the bottom (8 luma lines at SubHeightC 2); the VUI with every part and
// timing 1 / `time_scale`, its pictures fields where `field_seq_flag` is "1".
SpsBits main10_1080(const std::string& height = ue(1088) + "1" + ue(0) + ue(0) + ue(0) + ue(4),
                    const std::string& field_seq_flag = "0", std::uint32_t time_scale = 25) {
    SpsBits sps;
    sps.head = "0000" "000" "1" + test::main10_profile + "01111011";  // level 123
    sps.format = ue(0) + ue(1) + ue(1920) + height + ue(2) + ue(2) + ue(4);
    sps.vui = "1"                                                          // vui_parameters_present_flag
              "1" "11111111" + bits16(4) + bits16(3) +                     // Extended_SAR 4:3
              "1" "0"                                                      // overscan present, not appropriate
              "1" "101" "0" "1" "00001001" "00010000" "00001001"           // video signal, colour 9, 16, 9
              "1" + ue(2) + ue(2) +                                        // chroma sample locations
              "0" + field_seq_flag + "0" +                                 // neutral chroma, field_seq, frame_field
              "1" + ue(0) + ue(0) + ue(0) + ue(2) +                        // default display window
              "1" + bits32(1) + bits32(time_scale) + "0" +                 // timing, no poc proportion
              "0"                                                          // vui_hrd_parameters_present_flag
              "1" "0" "1" "1" + ue(0) + ue(2) + ue(1) + ue(15) + ue(15);  // bitstream restriction
    return sps;
}

TEST(SeqParameterSetRbsp, TenBitsCodedAs1088WithItsWindowAndVuiTiming) {
    const Parsed parsed(main10_1080().bits());
    const auto& sps = parsed.sps;
    EXPECT_EQ(sps.profile.general.profile_idc.value, 2);
    EXPECT_EQ(sps.bit_depth_luma_minus8.value, 2u);
    EXPECT_EQ(sps.pic_height_in_luma_samples.value, 1088u);
    EXPECT_EQ(sps.conf_win_bottom_offset.value, 4u);
    EXPECT_EQ(sps.SubHeightC(), 2u);
    EXPECT_EQ(sps.width(), 1920);
    EXPECT_EQ(sps.height(), 1088 - 2 * 4);
    EXPECT_EQ(sps.frame_rate(), 25.0);
    EXPECT_FALSE(sps.pictures_are_fields());
    ASSERT_NE(sps.vui, nullptr);
    EXPECT_EQ(sps.vui->sar_width.value, 4);
    EXPECT_EQ(sps.vui->matrix_coefficients.value, 9);
    EXPECT_EQ(sps.vui->def_disp_win_bottom_offset.value, 2u);
    EXPECT_EQ(sps.vui->log2_max_mv_length_vertical.value, 15u);
    EXPECT_TRUE(sps.read_to_end);
    EXPECT_TRUE(parsed.has_line("general_profile_idc: 2 (Main 10)"));
    EXPECT_TRUE(parsed.has_line("aspect_ratio_idc: 255 (Extended_SAR)"));
    EXPECT_TRUE(parsed.has_line("matrix_coeffs: 9"));
    EXPECT_TRUE(parsed.has_line("vui_time_scale: 25"));
    EXPECT_EQ(parsed.lines().back(), "Frame rate: 25 frames per second");
}

TEST(SeqParameterSetRbsp, FieldCodedPicturesKeepTheirSizeAndRate) {
    // 1080 lines as fields of 544 coded lines less 2 chroma lines, 50 a second.
    const Parsed parsed(main10_1080(ue(544) + "1" + ue(0) + ue(0) + ue(0) + ue(2), "1", 50).bits());
    EXPECT_TRUE(parsed.sps.pictures_are_fields());
    EXPECT_EQ(parsed.sps.height(), 540);
    EXPECT_EQ(parsed.sps.frame_rate(), 50.0);
    const Lines lines = parsed.lines();
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()),
              (Lines{"Field size: 1920 x 540", "Field rate: 50 fields per second"}));
}

TEST(SeqParameterSetRbsp, ACutOffParameterSetKeepsWhatItRead) {
    const SpsBits sps = main10_1080();
    const std::string bits = sps.bits();
    // The bytes holding everything up to the window, and up to the timing.
    const int size_end = static_cast<int>(from_bits(sps.head + sps.format.substr(0, sps.format.size() - 11)).size());
    const std::string through_timing = bits.substr(0, bits.find(bits32(25)) + 33);
    const int timing_end = static_cast<int>(from_bits(through_timing).size());
    for (int length = 0; length < static_cast<int>(from_bits(bits).size()); ++length) {
        const Parsed parsed(bits, length);
        EXPECT_LE(parsed.position, length) << "never beyond the buffer";
        EXPECT_FALSE(parsed.sps.read_to_end);
        EXPECT_EQ(parsed.sps.width(), length >= size_end ? 1920 : -1) << length;
        EXPECT_EQ(parsed.sps.frame_rate(), length >= timing_end ? 25.0 : -1.0) << length;
        EXPECT_FALSE(parsed.lines().empty());
    }
}

TEST(SeqParameterSetRbsp, SubsamplingFollowsTheChromaFormat) {
    // A window of 2 chroma units on every side of 720 x 576: monochrome,
    // 4:2:0, 4:2:2, 4:4:4, and 4:4:4 as separate planes.
    const struct {
        std::string chroma;
        int width;
        int height;
    } cases[] = {{ue(0), 716, 572},
                 {ue(1), 712, 568},
                 {ue(2), 712, 572},
                 {ue(3) + "0", 716, 572},
                 {ue(3) + "1", 716, 572}};
    for (const auto& [chroma, width, height] : cases) {
        SpsBits sps;
        sps.format = ue(0) + chroma + ue(720) + ue(576) + "1" + ue(2) + ue(2) + ue(2) + ue(2) + ue(0) + ue(0) + ue(4);
        const Parsed parsed(sps.bits());
        EXPECT_TRUE(parsed.sps.read_to_end) << chroma;
        EXPECT_EQ(parsed.sps.width(), width) << chroma;
        EXPECT_EQ(parsed.sps.height(), height) << chroma;
    }
}

// scaling_list_data(): 4x4 [0] default, [1] sent (8 + 2 = 10, 10 - 3 = 7,
// then 7 throughout), [2] a copy of [1], [3] a copy of [0], so default;
// 8x8 [0] wraps (8 - 9 = -1 -> 255, 255 + 2 -> 1, then 1); 16x16 [0] DC 16,
// 16 + 4 = 20 throughout, [1] its copy with its DC; 32x32 [0] DC 1, all 1,
// [3] its copy (matrixId 3 - 1 x 3).
std::string scaling_lists(const std::string& last_delta = ue(1)) {
    std::string bits = "1" "1";  // scaling_list_enabled_flag, sps_scaling_list_data_present_flag
    bits += "0" + ue(0) + "1" + se(2) + se(-3) + test::ones(14) + "0" + ue(1) + "0" + ue(3) + "01" "01";
    bits += "1" + se(-9) + se(2) + test::ones(62) + "01" "01" "01" "01" "01";
    bits += "1" + se(8) + se(4) + test::ones(63) + "0" + ue(1) + "01" "01" "01" "01";
    bits += "1" + se(-7) + test::ones(64) + "0" + last_delta;
    return bits;
}

TEST(ScalingListData, MatricesSentCopiedAndDefault) {
    SpsBits bits;
    bits.scaling = scaling_lists();
    const Parsed parsed(bits.bits());
    ASSERT_NE(parsed.sps.scaling_lists, nullptr);
    const scaling_list_data& data = *parsed.sps.scaling_lists;
    ASSERT_EQ(data.matrices.size(), 20u);
    const auto list = [&data](unsigned sizeId, unsigned matrixId) { return *data.find(sizeId, matrixId); };
    EXPECT_TRUE(list(0, 0).is_default);
    std::vector<std::uint8_t> sent(16, 7);
    sent[0] = 10;
    EXPECT_EQ(list(0, 1).ScalingList, sent);
    EXPECT_EQ(list(0, 2).ScalingList, sent);
    EXPECT_TRUE(list(0, 3).is_default);
    std::vector<std::uint8_t> wrapped(64, 1);
    wrapped[0] = 255;
    EXPECT_EQ(list(1, 0).ScalingList, wrapped);
    EXPECT_EQ(list(2, 0).ScalingList, std::vector<std::uint8_t>(64, 20));
    EXPECT_EQ(list(2, 1).ScalingList, std::vector<std::uint8_t>(64, 20));
    EXPECT_EQ(list(2, 1).scaling_list_dc_coef_minus8.value, 8);
    EXPECT_EQ(list(3, 3).ScalingList, std::vector<std::uint8_t>(64, 1));
    EXPECT_EQ(list(3, 3).scaling_list_dc_coef_minus8.value, -7);
    EXPECT_EQ(data.find(3, 1), nullptr);
    EXPECT_TRUE(parsed.sps.read_to_end);
    EXPECT_TRUE(parsed.has_line("ScalingList[0][0]: default (flat 16)"));
    EXPECT_TRUE(parsed.has_line("scaling_list_pred_matrix_id_delta[0][3]: 3"));
    EXPECT_TRUE(parsed.has_line("ScalingList[1][4]: default inter"));
    EXPECT_TRUE(parsed.has_line("scaling_list_dc_coef_minus8[1][3]: -7"));
    EXPECT_TRUE(parsed.has_line("ScalingList[0][1]: 10 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7"));
    // 32x32 [3] may only refer to [0]: a delta of 2 ends the parse.
    bits.scaling = scaling_lists(ue(2));
    const Parsed beyond(bits.bits());
    EXPECT_EQ(beyond.sps.scaling_lists->find(3, 3)->ScalingList.size(), 0u);
    EXPECT_FALSE(beyond.sps.read_through_timing);
}

TEST(SeqParameterSetRbsp, ReferencePictureSetsAndLongTermPictures) {
    SpsBits bits;
    // Three sets: S0 -1, -3 and S1 +2; that shifted by -1; that shifted by +3
    // (as the st_ref_pic_set tests work out); two long-term pictures of
    // log2_max_pic_order_cnt_lsb_minus4 + 4 = 8 bits.
    bits.references = ue(3) + ue(2) + ue(1) + ue(0) + "1" + ue(1) + "0" + ue(1) + "1" + "1" "1" + ue(0) +
                      "1" "01" "00" "1" + "1" "0" + ue(2) + "1" "1" "01" "01" + "1" + ue(2) +
                      "00000101" "1" "11111111" "0";
    const Parsed parsed(bits.bits());
    const auto& sps = parsed.sps;
    ASSERT_EQ(sps.st_ref_pic_sets.size(), 3u);
    EXPECT_EQ(sps.st_ref_pic_sets[2].DeltaPocS1, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(sps.long_term_ref_pics.size(), 2u);
    EXPECT_EQ(sps.long_term_ref_pics[0].lt_ref_pic_poc_lsb_sps.value, 5u);
    EXPECT_EQ(sps.long_term_ref_pics[1].lt_ref_pic_poc_lsb_sps.value, 255u);
    EXPECT_EQ(sps.long_term_ref_pics[1].used_by_curr_pic_lt_sps_flag.value, 0);
    EXPECT_TRUE(sps.read_to_end);
    EXPECT_TRUE(parsed.has_line("st_ref_pic_set(1):"));
    EXPECT_TRUE(parsed.has_line("  DeltaPocS0[2]: -4, UsedByCurrPicS0[2]: No"));
    EXPECT_TRUE(parsed.has_line("used_by_curr_pic_lt_sps_flag[0]: Yes"));
}

TEST(SeqParameterSetRbsp, CountsBeyondTheirLimitsEndTheParse) {
    // 64 empty short-term sets and 32 long-term pictures are allowed, one more is not.
    std::string sets_64 = ue(64) + ue(0) + ue(0);
    for (int i = 1; i < 64; ++i) sets_64 += "0" + ue(0) + ue(0);
    const auto with_references = [](const std::string& references) {
        SpsBits bits;
        bits.references = references;
        return Parsed(bits.bits());
    };
    EXPECT_TRUE(with_references(sets_64 + "0").sps.read_to_end);
    EXPECT_EQ(with_references(sets_64 + "0").sps.st_ref_pic_sets.size(), 64u);
    const Parsed sets_65 = with_references(ue(65) + test::ones(200));
    EXPECT_TRUE(sets_65.sps.st_ref_pic_sets.empty());
    EXPECT_EQ(sets_65.sps.num_short_term_ref_pic_sets.value, 0u) << "the value beyond the limit is not kept";
    EXPECT_FALSE(sets_65.sps.read_through_timing);
    std::string pictures_32 = ue(0) + "1" + ue(32);
    for (int i = 0; i < 32; ++i) pictures_32 += "00000001" "1";
    EXPECT_TRUE(with_references(pictures_32).sps.read_to_end);
    EXPECT_FALSE(with_references(ue(0) + "1" + ue(33) + test::ones(300)).sps.read_through_timing);
    // sps_max_sub_layers_minus1 7.
    SpsBits seven;
    seven.head = "0000" "111" "1" + test::main_profile + "01011010";
    const Parsed sub_layers_8(seven.bits());
    EXPECT_EQ(sub_layers_8.sps.profile.general_level_idc.span, 0u) << "nothing behind it is read";
    EXPECT_EQ(sub_layers_8.sps.width(), -1);
    // A picture width with 32 leading zeros.
    SpsBits too_long;
    too_long.format = ue(0) + ue(1) + test::zeros(32) + "1" + test::ones(40);
    const Parsed long_code(too_long.bits());
    EXPECT_EQ(long_code.sps.width(), -1);
    EXPECT_EQ(long_code.sps.chroma_format_idc.value, 1u);
    EXPECT_LE(long_code.position, static_cast<int>(long_code.bytes.size()));
}

}  // namespace
}  // namespace cut2edl::hevc
