#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "nal/h264/seq_parameter_set_rbsp.h"
#include "nal/pid_payloads_support.h"

// The first parameter set of each H.264 recording in tests/data (made by
// scripts/make-h264-test-media) against what ffmpeg was asked to make.
namespace cut2edl::h264 {
namespace {

struct Recording {
    const char* file;
    unsigned video_pid;
    int width;
    int height;
    int coded_height;  // the lines of whole macroblocks (pairs of them in field coding)
    double frame_rate;
    unsigned profile_idc;
    bool frame_mbs_only;
};

void PrintTo(const Recording& recording, std::ostream* out) { *out << recording.file; }

class FirstParameterSet : public ::testing::TestWithParam<Recording> {};

TEST_P(FirstParameterSet, GivesTheSizeAndExactRateThatWereAskedFor) {
    const Recording& recording = GetParam();
    const std::vector<std::uint8_t> bytes = pid_payloads(recording.file, recording.video_pid);
    ASSERT_FALSE(bytes.empty());
    const auto sps = find_seq_parameter_set(bytes.data(), static_cast<int>(bytes.size()));
    ASSERT_NE(sps, nullptr);
    EXPECT_TRUE(sps->read_to_end);
    EXPECT_EQ(sps->profile_idc.value, recording.profile_idc);
    EXPECT_EQ(sps->frame_mbs_only_flag.value, recording.frame_mbs_only);
    EXPECT_EQ(sps->width(), recording.width);
    EXPECT_EQ(sps->height(), recording.height);
    const int map_unit_lines = (2 - sps->frame_mbs_only_flag.value) * 16;
    EXPECT_EQ(static_cast<int>(sps->pic_height_in_map_units_minus1.value + 1) * map_unit_lines, recording.coded_height);
    EXPECT_EQ(sps->frame_rate(), recording.frame_rate);
}

// libx264 codes 1080 lines as 1088 and crops 8; with -flags +ilme+ildct it
// codes fields (frame_mbs_only_flag 0). High is profile 100, High 4:2:2 122.
INSTANTIATE_TEST_SUITE_P(
    TestData, FirstParameterSet,
    ::testing::Values(Recording{"ts-25-720x576-h264-ac3.ts", 0x100, 720, 576, 576, 25.0, 100, true},
                      Recording{"ts-25i-1920x1080-h264-ac3.ts", 0x100, 1920, 1080, 1088, 25.0, 100, false},
                      Recording{"ts-2997-720x480-h264-ac3.ts", 0x100, 720, 480, 480, 30000.0 / 1001.0, 100, true},
                      Recording{"ts-50-1280x720-h264-ac3.ts", 0x100, 1280, 720, 720, 50.0, 100, true},
                      Recording{"ts-5994-1280x720-h264-ac3.ts", 0x100, 1280, 720, 720, 60000.0 / 1001.0, 100, true},
                      Recording{"ts-25-1920x1080-h264-ac3.ts", 0x100, 1920, 1080, 1088, 25.0, 100, true},
                      Recording{"ts-25-1920x1080-h264-422-ac3.ts", 0x100, 1920, 1080, 1088, 25.0, 122, true},
                      Recording{"ts-2prog-720x576-25-mpeg2-1920x1080-2997-h264-ac3.ts", 0x102, 1920, 1080, 1088,
                                30000.0 / 1001.0, 100, true}),
    [](const ::testing::TestParamInfo<Recording>& info) { return recording_test_name(info.param.file); });

}  // namespace
}  // namespace cut2edl::h264
