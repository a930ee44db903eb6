#include <gtest/gtest.h>

#include "descriptor_support.h"
#include "descriptors/AVC_timing_and_HRD_descriptor.h"
#include "descriptors/AVC_video_descriptor.h"
#include "descriptors/HEVC_video_descriptor.h"
#include "descriptors/stream_identifier_descriptor.h"

// The descriptors of H.264 and H.265 streams, from hand-made bytes.
namespace cut2edl {
namespace {

TEST(AvcVideoDescriptor, ShowsProfileConstraintsAndLevel) {
    // 0x64 = 100, High; 0000 11 00: constraint sets 4 and 5; 0x28 = 40, level
    // 4.0; 0 0 1 11111: only Frame_Packing_SEI_not_present_flag.
    const Loop loop = parse_loop({0x28, 0x04, 0x64, 0x0C, 0x28, 0x3F});
    EXPECT_EQ(descriptor_at<AVC_video_descriptor>(loop).reserved.value, 0x1F);
    EXPECT_EQ(lines_of(loop),
              (Lines{"profile_idc: 100 (High)", "constraint_set0_flag: No", "constraint_set1_flag: No",
                     "constraint_set2_flag: No", "constraint_set3_flag: No", "constraint_set4_flag: Yes",
                     "constraint_set5_flag: Yes", "AVC_compatible_flags: 0", "level_idc: 40 (4.0)",
                     "AVC_still_present: No", "AVC_24_hour_picture_flag: No",
                     "Frame_Packing_SEI_not_present_flag: Yes"}));
    // 0x42 = 66, Baseline; 0101 00 11: sets 1 and 3, which with level_idc 11
    // make level 1b; 1 1 0 11111: still pictures and 24-hour pictures.
    const Lines baseline = lines_of(parse_loop({0x28, 0x04, 0x42, 0x53, 0x0B, 0xDF}));
    EXPECT_EQ(baseline[0], "profile_idc: 66 (Baseline)");
    EXPECT_EQ(baseline[7], "AVC_compatible_flags: 3");
    EXPECT_EQ(baseline[8], "level_idc: 11 (1b)");
    EXPECT_EQ(baseline[9], "AVC_still_present: Yes");
    // 0x4D = 77 and 0x1F = 31: Main at 3.1; 0x07 names no profile.
    EXPECT_EQ(lines_of(parse_loop({0x28, 0x04, 0x4D, 0x40, 0x1F, 0x3F}))[8], "level_idc: 31 (3.1)");
    EXPECT_EQ(lines_of(parse_loop({0x28, 0x04, 0x07, 0x00, 0x1F, 0x3F}))[0], "profile_idc: 7 (ERROR: not defined!)");
}

TEST(AvcVideoDescriptor, AShortBodyLeavesTheNextDescriptorItsBytes) {
    // Length 2: profile and flags only; the stream identifier follows at 5.
    const Loop loop = parse_loop({0x28, 0x02, 0x64, 0x0C, 0x52, 0x01, 0x05});
    const auto& avc = descriptor_at<AVC_video_descriptor>(loop);
    EXPECT_EQ(avc.constraint_set5_flag.value, 1);
    EXPECT_EQ(avc.level_idc.span, 0u);
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(loop, 1).component_tag.value, 5);
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(loop, 1).span, make_span(5, 7));
}

TEST(AvcTimingAndHrdDescriptor, ReadsTheTimeBaseThatItsFlagsAnnounce) {
    // 1 111111 1: HRD valid, timing present; 0 1111111: not 90 kHz, so N = 1
    // and K = 450 (0x1C2) follow: 27 MHz / 450 = 60 kHz; 1001 units a tick;
    // 1 0 0 11111: a fixed frame rate.
    const Loop loop = parse_loop({0x2A, 0x0F, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0xC2,
                                  0x00, 0x00, 0x03, 0xE9, 0x9F});
    EXPECT_EQ(descriptor_at<AVC_timing_and_HRD_descriptor>(loop).num_units_in_tick.span, make_span(13, 16));
    EXPECT_EQ(lines_of(loop), (Lines{"hrd_management_valid_flag: Yes", "picture_and_timing_info_present: Yes",
                                     "90kHz_flag: No", "N: 1", "K: 450", "num_units_in_tick: 1001",
                                     "fixed_frame_rate_flag: Yes", "temporal_poc_flag: No",
                                     "picture_to_display_conversion_flag: No"}));
    // 0 111111 1, then 1 1111111: a 90 kHz base without N and K; 3600 (0x0E10)
    // units a tick; 0 1 0 11111: temporal POC.
    EXPECT_EQ(lines_of(parse_loop({0x2A, 0x07, 0x7F, 0xFF, 0x00, 0x00, 0x0E, 0x10, 0x5F})),
              (Lines{"hrd_management_valid_flag: No", "picture_and_timing_info_present: Yes", "90kHz_flag: Yes",
                     "num_units_in_tick: 3600", "fixed_frame_rate_flag: No", "temporal_poc_flag: Yes",
                     "picture_to_display_conversion_flag: No"}));
    // 1 111111 0: no timing at all, so the next byte holds the last flags.
    EXPECT_EQ(lines_of(parse_loop({0x2A, 0x02, 0xFE, 0x3F})),
              (Lines{"hrd_management_valid_flag: Yes", "picture_and_timing_info_present: No",
                     "fixed_frame_rate_flag: No", "temporal_poc_flag: No",
                     "picture_to_display_conversion_flag: Yes"}));
}

TEST(HevcVideoDescriptor, ShowsProfileTierLevelAndSourceFlags) {
    // 00 0 00001: Main in the Main tier; compatible with Main and Main 10
    // (flags 1 and 2); 1 0 1 1 then copied_44bits 0x123456789AB; 0x5D = 93 =
    // 30 x 3.1; 0 0 0 1 11 00: no temporal subset, SDR.
    const Loop loop = parse_loop({0x38, 0x0D, 0x01, 0x60, 0x00, 0x00, 0x00, 0xB1, 0x23, 0x45, 0x67, 0x89, 0xAB,
                                  0x5D, 0x1C});
    EXPECT_EQ(descriptor_at<HEVC_video_descriptor>(loop).copied_44bits.span, make_span(8, 13));
    EXPECT_EQ(lines_of(loop),
              (Lines{"profile_space: 0", "tier_flag: 0 (Main)", "profile_idc: 1 (Main)",
                     "profile_compatibility_indication: 0x60000000", "progressive_source_flag: Yes",
                     "interlaced_source_flag: No", "non_packed_constraint_flag: Yes",
                     "frame_only_constraint_flag: Yes", "copied_44bits: 0x123456789AB", "level_idc: 93 (3.1)",
                     "temporal_layer_subset_flag: No", "HEVC_still_present_flag: No",
                     "HEVC_24hr_picture_present_flag: No", "sub_pic_hrd_params_not_present_flag: Yes",
                     "HDR_WCG_idc: 0 (SDR)"}));
    // 0x78 = 120: level 4, a whole level.
    EXPECT_EQ(lines_of(parse_loop({0x38, 0x0D, 0x01, 0x60, 0x00, 0x00, 0x00, 0xB0, 0x00, 0x00, 0x00, 0x00, 0x00,
                                   0x78, 0x1C}))[9],
              "level_idc: 120 (4)");
}

TEST(HevcVideoDescriptor, ATemporalSubsetAddsItsLayerRange) {
    // 00 1 00010: Main 10, High tier; 0 1 0 0 and zero copied bits; 0x99 =
    // 153 = 30 x 5.1; 1 1 0 0 11 10: subset, stills, HDR and WCG; 001 11111
    // and 110 11111: temporal ids 1 to 6.
    const Bytes subset = {0x38, 0x0F, 0x22, 0x20, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0x99, 0xCE, 0x3F, 0xDF};
    EXPECT_EQ(lines_of(parse_loop(subset)),
              (Lines{"profile_space: 0", "tier_flag: 1 (High)", "profile_idc: 2 (Main 10)",
                     "profile_compatibility_indication: 0x20000000", "progressive_source_flag: No",
                     "interlaced_source_flag: Yes", "non_packed_constraint_flag: No",
                     "frame_only_constraint_flag: No", "copied_44bits: 0x00000000000", "level_idc: 153 (5.1)",
                     "temporal_layer_subset_flag: Yes", "HEVC_still_present_flag: Yes",
                     "HEVC_24hr_picture_present_flag: No", "sub_pic_hrd_params_not_present_flag: No",
                     "HDR_WCG_idc: 2 (HDR and WCG)", "temporal_id_min: 1", "temporal_id_max: 6"}));
    // The same flags in a body of 13 bytes: the ids are not there to read, and
    // the stream identifier behind it is still found.
    Bytes cut(subset.begin(), subset.begin() + 15);
    cut[1] = 0x0D;
    const Loop loop = parse_loop(cut + Bytes{0x52, 0x01, 0x07});
    EXPECT_EQ(descriptor_at<HEVC_video_descriptor>(loop).temporal_id_min.span, 0u);
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(loop, 1).component_tag.value, 7);
}

}  // namespace
}  // namespace cut2edl
