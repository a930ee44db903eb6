#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "nal/hevc/parameter_sets.h"
#include "nal/pid_payloads_support.h"

// The first parameter sets of each HEVC recording in tests/data (made by
// scripts/make-hevc-test-media, and the head of a DVB-T2 capture) against
// what ffmpeg was asked to make, or the broadcaster announces.
namespace cut2edl::hevc {
namespace {

struct Recording {
    const char* file;
    unsigned video_pid;
    int width;
    int height;
    unsigned coded_height;
    double frame_rate;
    double vps_frame_rate;  // -1: the video parameter set has no timing
    unsigned profile_idc;
    unsigned bit_depth_luma_minus8;
    bool fields;
};

void PrintTo(const Recording& recording, std::ostream* out) { *out << recording.file; }

class FirstParameterSets : public ::testing::TestWithParam<Recording> {};

TEST_P(FirstParameterSets, GiveTheSizeAndExactRateThatWereAskedFor) {
    const Recording& recording = GetParam();
    const std::vector<std::uint8_t> bytes = pid_payloads(recording.file, recording.video_pid);
    ASSERT_FALSE(bytes.empty());
    const ParameterSets found = find_parameter_sets(bytes.data(), static_cast<int>(bytes.size()));
    ASSERT_NE(found.sps, nullptr);
    ASSERT_NE(found.vps, nullptr);
    const seq_parameter_set_rbsp& sps = *found.sps;
    EXPECT_TRUE(sps.read_to_end);
    EXPECT_TRUE(found.vps->read_to_end);
    EXPECT_EQ(sps.profile.general.profile_idc.value, recording.profile_idc);
    EXPECT_EQ(sps.bit_depth_luma_minus8.value, recording.bit_depth_luma_minus8);
    EXPECT_EQ(sps.width(), recording.width);
    EXPECT_EQ(sps.height(), recording.height);
    EXPECT_EQ(sps.pic_height_in_luma_samples.value, recording.coded_height);
    EXPECT_EQ(sps.pictures_are_fields(), recording.fields);
    EXPECT_EQ(sps.frame_rate(), recording.frame_rate);
    EXPECT_EQ(found.vps->frame_rate(), recording.vps_frame_rate);
    EXPECT_EQ(found.frame_rate(), recording.frame_rate);
    EXPECT_FALSE(found.rate_from_vps());
}

// libx265 writes the timing in the VUI alone; with min-cu-size=16 it codes
// 1080 lines as 1088, and the fields of 1080 lines as 544 (window 2 x 2).
// The Italian DVB-T2 service (PID 0x1F4), Main 10 as ffprobe reports it, has
// the timing in both parameter sets.
INSTANTIATE_TEST_SUITE_P(
    TestData, FirstParameterSets,
    ::testing::Values(Recording{"ts-25-720x576-hevc-ac3.ts", 0x100, 720, 576, 576, 25.0, -1.0, 1, 0, false},
                      Recording{"ts-25-720x576-hevc10-ac3.ts", 0x100, 720, 576, 576, 25.0, -1.0, 2, 2, false},
                      Recording{"ts-2997-720x480-hevc-ac3.ts", 0x100, 720, 480, 480, 30000.0 / 1001.0, -1.0, 1, 0,
                                false},
                      Recording{"ts-50-1280x720-hevc-ac3.ts", 0x100, 1280, 720, 720, 50.0, -1.0, 1, 0, false},
                      Recording{"ts-5994-1280x720-hevc-ac3.ts", 0x100, 1280, 720, 720, 60000.0 / 1001.0, -1.0, 1, 0,
                                false},
                      Recording{"ts-25-1920x1080-hevc-ac3.ts", 0x100, 1920, 1080, 1088, 25.0, -1.0, 1, 0, false},
                      Recording{"ts-25i-1920x1080-hevc-ac3.ts", 0x100, 1920, 540, 544, 50.0, -1.0, 1, 0, true},
                      Recording{"dvbt-it-rai-mux-head.ts", 0x1F4, 1280, 720, 720, 50.0, 50.0, 2, 2, false}),
    [](const ::testing::TestParamInfo<Recording>& info) { return recording_test_name(info.param.file); });

}  // namespace
}  // namespace cut2edl::hevc
