#include "convert/FrameRateChoice.h"

#include <gtest/gtest.h>

namespace cut2edl {
namespace {

using Origin = FrameRateChoice::Origin;

CutListText listAt(double headerRate) { return {CutListHeader{100, 0, headerRate}, {}}; }
VideoRate videoAt(double rate) {
    VideoRate video = VideoRate::withOutcome(VideoRate::Outcome::Found);
    video.frameRate = rate;
    return video;
}

TEST(FrameRateChoice, HeaderAndVideoAgreeWithinATenthOfAPercent) {
    EXPECT_EQ(chooseFrameRate(RateSource::Auto, listAt(25.0), videoAt(25.02)).frameRate, 25.02);
    const FrameRateChoice apart = chooseFrameRate(RateSource::Auto, listAt(25.0), videoAt(25.03));
    EXPECT_EQ(apart.origin, Origin::CutList);
    EXPECT_EQ(apart.frameRate, 25.0);
}

}  // namespace
}  // namespace cut2edl
