#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mpeg/bit_string_support.h"
#include "nal/h264/seq_parameter_set_rbsp.h"

// Parameter sets written bit by bit, one syntax element per string piece;
// Exp-Golomb codes as their bits (ue 44: 45 = 101101, so 00000 101101).
namespace cut2edl::h264 {
namespace {

using Lines = std::vector<std::string>;

struct Parsed {
    explicit Parsed(std::string_view bits, int cut_to = -1) : bytes(from_bits(bits)) {
        const int length = cut_to < 0 ? static_cast<int>(bytes.size()) : cut_to;
        sps.parse(bytes.data(), length, &position);
    }

    Lines lines() const {
        Lines rendered;
        sps.dump([&rendered](std::string_view line) { rendered.emplace_back(line); });
        return rendered;
    }

    std::vector<std::uint8_t> bytes;
    int position = 0;
    seq_parameter_set_rbsp sps;
};

// Baseline, 720x576 coded, cropped by 4 and 2 chroma units, no VUI.
const std::string baseline_head = "01000010"  // profile_idc 66
                                  "110000"    // constraint_set0..5_flag
                                  "00"        // reserved_zero_2bits
                                  "00011110"  // level_idc 30
                                  "1";        // seq_parameter_set_id 0
const std::string baseline_body = "1"            // log2_max_frame_num_minus4 0
                                  "011"          // pic_order_cnt_type 2
                                  "010"          // max_num_ref_frames 1
                                  "0"            // gaps_in_frame_num_value_allowed_flag
                                  "00000101101"  // pic_width_in_mbs_minus1 44
                                  "00000100100"  // pic_height_in_map_units_minus1 35
                                  "1"            // frame_mbs_only_flag
                                  "1"            // direct_8x8_inference_flag
                                  "1"            // frame_cropping_flag
                                  "1" "00101" "1" "011";  // crop left 0, right 4, top 0, bottom 2
const std::string no_vui = "0"  // vui_parameters_present_flag
                           "1";  // rbsp_stop_one_bit

// High, 1080 interlaced: 120 x 34 map units of two macroblock rows, cropped
// by 2 units of 4 lines; VUI with square pixels, a video signal and timing
// 1 / 50. The timing ends with bit 184, the first of byte 24.
const std::string high_1080i = "01100100"  // profile_idc 100
                               "000000" "00"
                               "00101000"  // level_idc 40
                               "1"         // seq_parameter_set_id 0
                               "010"       // chroma_format_idc 1
                               "1" "1"     // bit_depth_luma_minus8, bit_depth_chroma_minus8 0
                               "0"         // qpprime_y_zero_transform_bypass_flag
                               "0"         // seq_scaling_matrix_present_flag
                               "1"         // log2_max_frame_num_minus4 0
                               "1"         // pic_order_cnt_type 0
                               "011"       // log2_max_pic_order_cnt_lsb_minus4 2
                               "00101"     // max_num_ref_frames 4
                               "0"
                               "0000001111000"  // pic_width_in_mbs_minus1 119
                               "00000100010"    // pic_height_in_map_units_minus1 33
                               "0"              // frame_mbs_only_flag
                               "1"              // mb_adaptive_frame_field_flag
                               "1"              // direct_8x8_inference_flag
                               "1" "1" "1" "1" "011"  // cropping: 0, 0, 0, bottom 2 (bits 70-76)
                               "1"                    // vui_parameters_present_flag
                               "1" "00000001"         // aspect_ratio_idc 1
                               "0"                    // overscan_info_present_flag
                               "1" "101" "0" "1"      // video_format 5, full range No, colour description
                               "00000001" "00000001" "00000001"  // colour_primaries .. matrix_coefficients 1
                               "0"                                // chroma_loc_info_present_flag
                               "1"                                // timing_info_present_flag (bit 119)
                               "00000000000000000000000000000001"  // num_units_in_tick 1
                               "00000000000000000000000000110010"  // time_scale 50
                               "0"                                 // fixed_frame_rate_flag (bit 184)
                               "0" "0"                             // nal, vcl hrd_parameters_present_flag
                               "1"                                 // pic_struct_present_flag
                               "0"                                 // bitstream_restriction_flag
                               "1";                                // rbsp_stop_one_bit

TEST(SeqParameterSetRbsp, BaselineWithoutVuiHasASizeButNoRate) {
    const Parsed parsed(baseline_head + baseline_body + no_vui);
    const auto& sps = parsed.sps;
    EXPECT_EQ(sps.profile_idc.value, 66);
    EXPECT_EQ(sps.level_idc.value, 30);
    EXPECT_EQ(sps.level_idc.span, make_span(2, 2));
    EXPECT_FALSE(sps.has_chroma_format());
    EXPECT_EQ(sps.chroma_format_idc.value, 1u) << "inferred";
    EXPECT_EQ(sps.pic_order_cnt_type.value, 2u);
    EXPECT_EQ(sps.pic_width_in_mbs_minus1.value, 44u);
    EXPECT_EQ(sps.pic_width_in_mbs_minus1.span, make_span(4, 5));
    EXPECT_EQ(sps.frame_crop_right_offset.value, 4u);
    EXPECT_EQ(sps.CropUnitX(), 2u);
    EXPECT_EQ(sps.CropUnitY(), 2u);
    EXPECT_EQ(sps.width(), 720 - 2 * 4);
    EXPECT_EQ(sps.height(), 576 - 2 * 2);
    EXPECT_EQ(sps.vui, nullptr);
    EXPECT_TRUE(sps.complete_through_timing());
    EXPECT_TRUE(sps.read_to_end);
    EXPECT_EQ(sps.frame_rate(), -1.0);
    EXPECT_EQ(parsed.lines(), (Lines{"profile_idc: 66 (Baseline)",
                                     "constraint_set0_flag: Yes",
                                     "constraint_set1_flag: Yes",
                                     "constraint_set2_flag: No",
                                     "constraint_set3_flag: No",
                                     "constraint_set4_flag: No",
                                     "constraint_set5_flag: No",
                                     "level_idc: 30",
                                     "seq_parameter_set_id: 0",
                                     "log2_max_frame_num_minus4: 0",
                                     "pic_order_cnt_type: 2",
                                     "max_num_ref_frames: 1",
                                     "gaps_in_frame_num_value_allowed_flag: No",
                                     "pic_width_in_mbs_minus1: 44",
                                     "pic_height_in_map_units_minus1: 35",
                                     "frame_mbs_only_flag: Yes",
                                     "direct_8x8_inference_flag: Yes",
                                     "frame_cropping_flag: Yes",
                                     "frame_crop_left_offset: 0",
                                     "frame_crop_right_offset: 4",
                                     "frame_crop_top_offset: 0",
                                     "frame_crop_bottom_offset: 2",
                                     "vui_parameters_present_flag: No",
                                     "Frame size: 712 x 572",
                                     "Frame rate: not determined"}));
}

TEST(SeqParameterSetRbsp, InterlacedHighWithVuiTiming) {
    const Parsed parsed(high_1080i);
    const auto& sps = parsed.sps;
    ASSERT_TRUE(sps.has_chroma_format());
    EXPECT_EQ(sps.log2_max_pic_order_cnt_lsb_minus4.value, 2u);
    EXPECT_EQ(sps.max_num_ref_frames.value, 4u);
    EXPECT_EQ(sps.CropUnitY(), 4u);
    EXPECT_EQ(sps.width(), 1920);
    EXPECT_EQ(sps.height(), 2 * 34 * 16 - 4 * 2);
    ASSERT_NE(sps.vui, nullptr);
    EXPECT_EQ(sps.vui->num_units_in_tick.span, make_span(15, 18));
    EXPECT_EQ(sps.vui->time_scale.value, 50u);
    EXPECT_EQ(sps.vui->time_scale.span, make_span(19, 22));
    EXPECT_EQ(sps.vui->span, make_span(9, 23));
    EXPECT_EQ(sps.span, make_span(0, 23));
    EXPECT_EQ(parsed.position, 24);
    EXPECT_EQ(sps.frame_rate(), 25.0) << "the frame rate, not the field rate";
    EXPECT_TRUE(sps.read_to_end);
    EXPECT_EQ(parsed.lines(), (Lines{"profile_idc: 100 (High)",
                                     "constraint_set0_flag: No",
                                     "constraint_set1_flag: No",
                                     "constraint_set2_flag: No",
                                     "constraint_set3_flag: No",
                                     "constraint_set4_flag: No",
                                     "constraint_set5_flag: No",
                                     "level_idc: 40",
                                     "seq_parameter_set_id: 0",
                                     "chroma_format_idc: 1 (4:2:0)",
                                     "bit_depth_luma_minus8: 0",
                                     "bit_depth_chroma_minus8: 0",
                                     "qpprime_y_zero_transform_bypass_flag: No",
                                     "seq_scaling_matrix_present_flag: No",
                                     "log2_max_frame_num_minus4: 0",
                                     "pic_order_cnt_type: 0",
                                     "log2_max_pic_order_cnt_lsb_minus4: 2",
                                     "max_num_ref_frames: 4",
                                     "gaps_in_frame_num_value_allowed_flag: No",
                                     "pic_width_in_mbs_minus1: 119",
                                     "pic_height_in_map_units_minus1: 33",
                                     "frame_mbs_only_flag: No",
                                     "mb_adaptive_frame_field_flag: Yes",
                                     "direct_8x8_inference_flag: Yes",
                                     "frame_cropping_flag: Yes",
                                     "frame_crop_left_offset: 0",
                                     "frame_crop_right_offset: 0",
                                     "frame_crop_top_offset: 0",
                                     "frame_crop_bottom_offset: 2",
                                     "vui_parameters_present_flag: Yes",
                                     "aspect_ratio_info_present_flag: Yes",
                                     "aspect_ratio_idc: 1 (1:1)",
                                     "overscan_info_present_flag: No",
                                     "video_signal_type_present_flag: Yes",
                                     "video_format: 5 (Unspecified video format)",
                                     "video_full_range_flag: No",
                                     "colour_description_present_flag: Yes",
                                     "colour_primaries: 1",
                                     "transfer_characteristics: 1",
                                     "matrix_coefficients: 1",
                                     "chroma_loc_info_present_flag: No",
                                     "timing_info_present_flag: Yes",
                                     "num_units_in_tick: 1",
                                     "time_scale: 50",
                                     "fixed_frame_rate_flag: No",
                                     "nal_hrd_parameters_present_flag: No",
                                     "vcl_hrd_parameters_present_flag: No",
                                     "pic_struct_present_flag: Yes",
                                     "bitstream_restriction_flag: No",
                                     "Frame size: 1920 x 1080",
                                     "Frame rate: 25 frames per second"}));
}

TEST(SeqParameterSetRbsp, ACutOffParameterSetGivesNoRateFromHalfReadTiming) {
    for (int length = 0; length < 24; ++length) {
        const Parsed parsed(high_1080i, length);
        EXPECT_FALSE(parsed.sps.complete_through_timing()) << length;
        EXPECT_EQ(parsed.sps.frame_rate(), -1.0) << length;
        EXPECT_EQ(parsed.sps.width(), length >= 10 ? 1920 : -1) << length;
        EXPECT_FALSE(parsed.sps.read_to_end);
        EXPECT_LE(parsed.position, length) << "never beyond the buffer";
        EXPECT_FALSE(parsed.lines().empty());
    }
    // 23 bytes hold both 32-bit timing fields but not fixed_frame_rate_flag.
    EXPECT_EQ(Parsed(high_1080i, 23).sps.vui->time_scale.value, 50u);
}

// High 4:4:4 with separate colour planes, all twelve scaling lists announced,
// picture order count type 1 and a VUI with every part: 1280x720 at 60000/1001.
const std::string high_444 = "11110100"  // profile_idc 244
                             "000000" "00"
                             "00011111"     // level_idc 31
                             "00000100000"  // seq_parameter_set_id 31
                             "00100"        // chroma_format_idc 3
                             "1"            // separate_colour_plane_flag
                             "011"          // bit_depth_luma_minus8 2
                             "00111"        // bit_depth_chroma_minus8 6
                             "1"            // qpprime_y_zero_transform_bypass_flag
                             "1"            // seq_scaling_matrix_present_flag
                             "1" "000010001"            // [0]: delta -8: the default list
                             "0"                        // [1]
                             "1" "00100" "000010101"    // [2]: +2 -> 10, -10 -> 0: 10 throughout
                             "1" "000010011" "00100" "011"  // [3]: -9 -> 255, +2 -> 1, -1 -> 0
                             "0" "0"                        // [4], [5]
                             "1" "000010000" "00000100001"  // [6]: +8 -> 16, -16 -> 0
                             "1" "000010001"                // [7]: default
                             "0" "0" "0"                    // [8], [9], [10]
                             "1" "000000011111110" "00000000100000001" "0001111"  // [11]: +127, -128, -7
                             "0001101"  // log2_max_frame_num_minus4 12
                             "010"      // pic_order_cnt_type 1
                             "0"        // delta_pic_order_always_zero_flag
                             "00101"    // offset_for_non_ref_pic -2
                             "010"      // offset_for_top_to_bottom_field 1
                             "00100"    // num_ref_frames_in_pic_order_cnt_cycle 3
                             "00100" "011" "1"  // offset_for_ref_frame 2, -1, 0
                             "011"              // max_num_ref_frames 2
                             "1"                // gaps_in_frame_num_value_allowed_flag
                             "0000001010000"    // pic_width_in_mbs_minus1 79
                             "00000101101"      // pic_height_in_map_units_minus1 44
                             "1" "1"            // frame_mbs_only_flag, direct_8x8_inference_flag
                             "1" "010" "010" "011" "00100"  // cropping 1, 1, 2, 3
                             "1"                            // vui_parameters_present_flag
                             "1" "11111111"                 // aspect_ratio_idc Extended_SAR
                             "0000000000010000" "0000000000001011"  // sar_width 16, sar_height 11
                             "1" "1"                                // overscan present, appropriate
                             "0"                                    // video_signal_type_present_flag
                             "1" "00110" "1"                        // chroma sample loc types 5 and 0
                             "1"                                    // timing_info_present_flag
                             "00000000000000000000001111101001"     // num_units_in_tick 1001
                             "00000000000000001110101001100000"     // time_scale 60000
                             "1"                                    // fixed_frame_rate_flag
                             "1"                                    // nal_hrd_parameters_present_flag
                             "010" "0100" "0110"   // cpb_cnt_minus1 1, bit_rate_scale 4, cpb_size_scale 6
                             "00100" "00111" "0"   // [0]: bit rate 3, cpb size 6, cbr No
                             "1" "010" "1"         // [1]: 0, 1, Yes
                             "10111" "01111" "00100" "11000"  // delay lengths 23, 15, 4; time_offset_length 24
                             "0"                              // vcl_hrd_parameters_present_flag
                             "0"                              // low_delay_hrd_flag
                             "0"                              // pic_struct_present_flag
                             "1" "1"                          // bitstream_restriction_flag, mv over boundaries
                             "011" "010"                      // max_bytes_per_pic_denom 2, max_bits_per_mb_denom 1
                             "0001100" "0001100"              // log2_max_mv_length 11, 11
                             "011" "00101"                    // max_num_reorder_frames 2, max_dec_frame_buffering 4
                             "1";                             // rbsp_stop_one_bit

std::vector<std::uint8_t> repeated(std::uint8_t weight, std::size_t count) {
    return std::vector<std::uint8_t>(count, weight);
}

TEST(SeqParameterSetRbsp, ScalingListsWithDefaultsRepeatsAndTheWrap) {
    const Parsed parsed(high_444);
    const auto& sps = parsed.sps;
    EXPECT_EQ(sps.seq_parameter_set_id.value, 31u);
    EXPECT_EQ(sps.bit_depth_chroma_minus8.value, 6u);
    ASSERT_EQ(sps.seq_scaling_list_present_flag.size(), 12u);
    ASSERT_EQ(sps.scaling_lists.size(), 12u);
    EXPECT_TRUE(sps.scaling_lists[0].useDefaultScalingMatrixFlag);
    EXPECT_TRUE(sps.scaling_lists[1].weights.empty());
    EXPECT_EQ(sps.scaling_lists[2].weights, repeated(10, 16));
    EXPECT_EQ(sps.scaling_lists[2].delta_scale.size(), 2u);
    std::vector<std::uint8_t> wrapped = repeated(1, 16);
    wrapped[0] = 255;
    EXPECT_EQ(sps.scaling_lists[3].weights, wrapped);
    EXPECT_EQ(sps.scaling_lists[6].weights, repeated(16, 64));
    EXPECT_TRUE(sps.scaling_lists[7].useDefaultScalingMatrixFlag);
    std::vector<std::uint8_t> extremes = repeated(7, 64);
    extremes[0] = 135;
    EXPECT_EQ(sps.scaling_lists[11].weights, extremes);
    EXPECT_EQ(sps.scaling_lists[11].delta_scale[1].value, -128);

    const Lines lines = parsed.lines();
    const auto has = [&lines](const std::string& line) { return std::ranges::find(lines, line) != lines.end(); };
    EXPECT_TRUE(has("ScalingList4x4[0]: Default_4x4_Intra"));
    EXPECT_TRUE(has("seq_scaling_list_present_flag[1]: No"));
    EXPECT_TRUE(has("ScalingList4x4[3]: 255 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1"));
    EXPECT_TRUE(has("ScalingList8x8[1]: Default_8x8_Inter"));
    EXPECT_TRUE(has("seq_scaling_list_present_flag[11]: Yes"));
    std::string sevens;
    for (int i = 0; i < 63; ++i) sevens += " 7";
    EXPECT_TRUE(has("ScalingList8x8[5]: 135" + sevens));
}

TEST(SeqParameterSetRbsp, PictureOrderCountType1AndAFullVui) {
    const Parsed parsed(high_444);
    const auto& sps = parsed.sps;
    EXPECT_EQ(sps.log2_max_frame_num_minus4.value, 12u);
    EXPECT_EQ(sps.offset_for_non_ref_pic.value, -2);
    EXPECT_EQ(sps.offset_for_top_to_bottom_field.value, 1);
    ASSERT_EQ(sps.offset_for_ref_frame.size(), 3u);
    EXPECT_EQ(sps.offset_for_ref_frame[0].value, 2);
    EXPECT_EQ(sps.offset_for_ref_frame[1].value, -1);
    EXPECT_EQ(sps.offset_for_ref_frame[2].value, 0);
    EXPECT_EQ(sps.ChromaArrayType(), 0u) << "separate colour planes";
    EXPECT_EQ(sps.width(), 1280 - 2);
    EXPECT_EQ(sps.height(), 720 - 5);
    ASSERT_NE(sps.vui, nullptr);
    const auto& vui = *sps.vui;
    EXPECT_EQ(vui.sar_width.value, 16);
    EXPECT_EQ(vui.sar_height.value, 11);
    EXPECT_EQ(vui.overscan_appropriate_flag.value, 1);
    EXPECT_EQ(vui.chroma_sample_loc_type_top_field.value, 5u);
    EXPECT_EQ(vui.fixed_frame_rate_flag.value, 1);
    EXPECT_EQ(sps.frame_rate(), 30000.0 / 1001.0) << "exactly, as a double";
    ASSERT_NE(vui.nal_hrd_parameters, nullptr);
    EXPECT_EQ(vui.vcl_hrd_parameters, nullptr);
    const auto& hrd = *vui.nal_hrd_parameters;
    ASSERT_EQ(hrd.schedules.size(), 2u);
    EXPECT_EQ(hrd.schedules[0].cpb_size_value_minus1.value, 6u);
    EXPECT_EQ(hrd.schedules[1].cbr_flag.value, 1);
    EXPECT_EQ(hrd.dpb_output_delay_length_minus1.value, 4);
    EXPECT_EQ(hrd.time_offset_length.value, 24);
    EXPECT_EQ(vui.log2_max_mv_length_vertical.value, 11u);
    EXPECT_EQ(vui.max_dec_frame_buffering.value, 4u);
    EXPECT_TRUE(sps.read_to_end);

    const Lines lines = parsed.lines();
    const auto at = std::ranges::find(lines, "NAL hrd_parameters:");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 1), "  cpb_cnt_minus1: 1");
    EXPECT_EQ(*(at + 6), "  cbr_flag[0]: No");
    EXPECT_EQ(*(at + 13), "  time_offset_length: 24");
    EXPECT_EQ(*(at + 14), "vcl_hrd_parameters_present_flag: No");
    EXPECT_NE(std::ranges::find(lines, "aspect_ratio_idc: 255 (Extended_SAR)"), lines.end());
    EXPECT_EQ(lines.back(), "Frame rate: 29.97 frames per second");
}

// High (100) or High 4:2:2 (122) 1920x1080 progressive: 120 x 68 macroblocks,
// cropped at the bottom by `crop_bottom` units; only the chroma format differs.
std::string progressive_1080(const std::string& profile_idc, const std::string& chroma_format_idc,
                             const std::string& crop_bottom) {
    return profile_idc + "000000" "00" "00101000" "1" + chroma_format_idc +
           "1" "1" "0" "0"        // bit depths 0, qpprime No, no scaling matrix
           "1" "1" "1" "011" "0"  // log2_max_frame_num 0, poc type 0, lsb 0, 2 reference frames, no gaps
           "0000001111000"        // pic_width_in_mbs_minus1 119
           "0000001000100"        // pic_height_in_map_units_minus1 67
           "1" "1" "1" "1" "1" "1" +
           crop_bottom + no_vui;
}

TEST(SeqParameterSetRbsp, CropUnitsFollowTheChromaFormat) {
    // 4:2:2 halves the chroma horizontally only: 8 lines are 8 units.
    const Parsed high_422(progressive_1080("01111010", "011", "0001001"));
    EXPECT_EQ(high_422.sps.chroma_format_idc.value, 2u);
    EXPECT_EQ(high_422.sps.CropUnitX(), 2u);
    EXPECT_EQ(high_422.sps.CropUnitY(), 1u);
    EXPECT_EQ(high_422.sps.height(), 1080);
    EXPECT_EQ(high_422.lines()[0], "profile_idc: 122 (High 4:2:2)");
    // 4:2:0: 8 lines are 4 units.
    EXPECT_EQ(Parsed(progressive_1080("01100100", "010", "00101")).sps.height(), 1080);
    // Monochrome has no chroma: a unit is one line.
    const Parsed monochrome(progressive_1080("01100100", "1", "0001001"));
    EXPECT_EQ(monochrome.sps.ChromaArrayType(), 0u);
    EXPECT_EQ(monochrome.sps.CropUnitX(), 1u);
    EXPECT_EQ(monochrome.sps.height(), 1080);
}

// Everything from the start of the baseline set up to pic_order_cnt_type.
const std::string baseline_to_poc = baseline_head + "1";

TEST(SeqParameterSetRbsp, ValuesBeyondTheirLimitsEndTheParse) {
    const std::string rest = "011" + baseline_body.substr(4) + no_vui;
    // seq_parameter_set_id 32 (33 = 100001).
    const Parsed id_32(baseline_head.substr(0, 24) + "00000100001" + "1" + rest);
    EXPECT_EQ(id_32.sps.seq_parameter_set_id.value, 0u) << "the value beyond the limit is not kept";
    EXPECT_FALSE(id_32.sps.read_through_size);
    EXPECT_EQ(id_32.sps.width(), -1);
    // pic_order_cnt_type 3 and chroma_format_idc 4.
    EXPECT_EQ(Parsed(baseline_to_poc + "00100" + baseline_body.substr(4) + no_vui).sps.width(), -1);
    const Parsed chroma_4(progressive_1080("01100100", "00101", "00101"));
    EXPECT_EQ(chroma_4.sps.chroma_format_idc.value, 1u);
    EXPECT_EQ(chroma_4.sps.bit_depth_luma_minus8.span, 0u) << "nothing behind it is read";
    // A delta_scale of 128 (code 255: 256 = 100000000).
    const std::string scaling_head = "01100100" "000000" "00" "00101000" "1" "010" "1" "1" "0" "1";
    const Parsed delta_128(scaling_head + "1" "00000000100000000" + std::string(80, '1'));
    ASSERT_EQ(delta_128.sps.scaling_lists.size(), 1u);
    EXPECT_TRUE(delta_128.sps.scaling_lists[0].delta_scale.empty());
    EXPECT_EQ(delta_128.sps.log2_max_frame_num_minus4.span, 0u);
}

TEST(SeqParameterSetRbsp, TheOffsetCycleHoldsAtMost255Entries) {
    const std::string poc_type_1 = baseline_to_poc + "010" "0" "1" "1";  // type 1, flag, offsets 0
    const std::string after_cycle = baseline_body.substr(4) + no_vui;
    // 255 (256 = 100000000) entries of se 0, then the rest.
    const Parsed longest(poc_type_1 + "00000000100000000" + std::string(255, '1') + after_cycle);
    EXPECT_EQ(longest.sps.offset_for_ref_frame.size(), 255u);
    EXPECT_EQ(longest.sps.width(), 712);
    EXPECT_TRUE(longest.sps.read_to_end);
    // 256 (257 = 100000001) ends the parse before a single entry.
    const Parsed beyond(poc_type_1 + "00000000100000001" + std::string(300, '1') + after_cycle);
    EXPECT_TRUE(beyond.sps.offset_for_ref_frame.empty());
    EXPECT_FALSE(beyond.sps.read_through_size);
}

TEST(SeqParameterSetRbsp, LongCodesAndCutOffCountsNeverReadBeyondTheBuffer) {
    // pic_width_in_mbs_minus1 with 32 leading zeros.
    const Parsed too_long(baseline_to_poc + "011" "010" "0" + std::string(32, '0') + "1" + std::string(40, '1'));
    EXPECT_EQ(too_long.sps.max_num_ref_frames.value, 1u);
    EXPECT_EQ(too_long.sps.width(), -1);
    EXPECT_LE(too_long.position, static_cast<int>(too_long.bytes.size()));
    // A cycle of 255 entries of which the buffer holds a few.
    const Parsed cut(baseline_to_poc + "010" "0" "1" "1" "00000000100000000" "1111");
    EXPECT_EQ(cut.sps.offset_for_ref_frame.size(), 4u) << "the zero bits that fill the last byte are no code";
    EXPECT_EQ(cut.position, static_cast<int>(cut.bytes.size()));
    EXPECT_FALSE(cut.sps.read_through_size);
}

// The high 1080i set with other timing: `timing` replaces the bits from
// timing_info_present_flag to fixed_frame_rate_flag (bits 119 to 184).
std::string with_timing(const std::string& timing) {
    return high_1080i.substr(0, 119) + timing + high_1080i.substr(185);
}

TEST(SeqParameterSetRbsp, RateFromAnyTimingWithNonZeroFields) {
    const std::string zero(32, '0');
    const std::string ticks_1001 = "00000000000000000000001111101001";
    const std::string scale_60000 = "00000000000000001110101001100000";
    EXPECT_EQ(Parsed(with_timing("1" + ticks_1001 + scale_60000 + "0")).sps.frame_rate(), 30000.0 / 1001.0);
    EXPECT_EQ(Parsed(with_timing("1" + zero + scale_60000 + "1")).sps.frame_rate(), -1.0);
    EXPECT_EQ(Parsed(with_timing("1" + ticks_1001 + zero + "1")).sps.frame_rate(), -1.0);
    const Parsed no_timing(with_timing("0"));
    EXPECT_TRUE(no_timing.sps.complete_through_timing());
    EXPECT_TRUE(no_timing.sps.read_to_end);
    EXPECT_EQ(no_timing.sps.frame_rate(), -1.0);
    EXPECT_EQ(no_timing.lines().back(), "Frame rate: not determined");
}

TEST(HrdParameters, MoreThan32SchedulesEndTheParse) {
    // cpb_cnt_minus1 32 (33 = 100001) in the NAL HRD of the 1080i set.
    const Parsed parsed(high_1080i.substr(0, 185) + "1" "00000100001" "0000" "0000" + std::string(100, '1'));
    ASSERT_NE(parsed.sps.vui, nullptr);
    ASSERT_NE(parsed.sps.vui->nal_hrd_parameters, nullptr);
    EXPECT_TRUE(parsed.sps.vui->nal_hrd_parameters->schedules.empty());
    EXPECT_EQ(parsed.sps.frame_rate(), 25.0) << "the timing before it stands";
    EXPECT_FALSE(parsed.sps.read_to_end);
}

TEST(HrdParameters, AScheduleCutOffIsNotKept) {
    // cpb_cnt_minus1 0, the two scales, bit_rate_value_minus1 0, then the end
    // of the set: the zero bits that pad the byte hold no cpb_size_value_minus1.
    const Parsed parsed(high_1080i.substr(0, 185) + "1" "1" "0000" "0000" "1");
    ASSERT_NE(parsed.sps.vui, nullptr);
    ASSERT_NE(parsed.sps.vui->nal_hrd_parameters, nullptr);
    EXPECT_TRUE(parsed.sps.vui->nal_hrd_parameters->schedules.empty());
}

}  // namespace
}  // namespace cut2edl::h264
