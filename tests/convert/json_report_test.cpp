#include <gtest/gtest.h>

#include <sstream>

#include <nlohmann/json.hpp>

#include "convert/json_report.h"

namespace cut2edl {
namespace {

TEST(JsonReport, UnknownValuesAreNullAndPathsStayValidUtf8) {
    VideoRate video = VideoRate::withOutcome(VideoRate::Outcome::Undetermined);
    const FrameRateChoice rate{FrameRateChoice::Origin::CutList, 25.0, "the frame rate of its video could not be determined", ""};
    const std::vector<FrameCut> cuts = {{250, 500}};
    const std::vector<Chapter> chapters;
    std::ostringstream out;
    writeJson(out, {"show\xE9.txt", "show\xE9.ts", video, rate, cuts, chapters});
    const auto record = nlohmann::json::parse(out.str());
    EXPECT_EQ(record["cutList"], "show\xEF\xBF\xBD.txt");  // U+FFFD for the Latin-1 byte
    EXPECT_EQ(record["video"], (nlohmann::json{{"path", "show\xEF\xBF\xBD.ts"}, {"width", nullptr},
                                               {"height", nullptr}, {"duration", nullptr}}));
    EXPECT_EQ(record["frameRate"]["from"], "cutList");
    EXPECT_EQ(record["cuts"][0]["endSeconds"], 20.0);
    EXPECT_TRUE(record["chapters"].empty());
}

}  // namespace
}  // namespace cut2edl
