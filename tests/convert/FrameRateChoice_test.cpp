#include "convert/FrameRateChoice.h"

#include <gtest/gtest.h>

namespace cut2edl {
namespace {

using Origin = FrameRateChoice::Origin;

CutListText listAt(double headerRate) { return {CutListHeader{100, 0, headerRate}, {}}; }
VideoRate videoAt(double rate) { return {VideoRate::Outcome::Found, rate}; }

TEST(FrameRateChoice, HeaderAndVideoAgreeWithinATenthOfAPercent) {
    const FrameRateChoice close = chooseFrameRate(RateSource::Auto, listAt(25.0), videoAt(25.02));
    EXPECT_EQ(close.origin, Origin::Video);
    EXPECT_EQ(close.frameRate, 25.02);
    EXPECT_EQ(close.note, "");
    const FrameRateChoice apart = chooseFrameRate(RateSource::Auto, listAt(25.0), videoAt(25.03));
    EXPECT_EQ(apart.origin, Origin::CutList);
    EXPECT_EQ(apart.frameRate, 25.0);
    EXPECT_EQ(apart.note, "was counted at 25 frames per second, but its video runs at 25.03; the cut list's rate is used.");
}

TEST(FrameRateChoice, WithoutAHeaderTheVideoDecidesAlone) {
    const CutListText noHeader;
    EXPECT_EQ(chooseFrameRate(RateSource::Auto, noHeader, videoAt(50)).why, "the cut list has no header");
    const FrameRateChoice none = chooseFrameRate(RateSource::Auto, noHeader, {VideoRate::Outcome::Undetermined});
    EXPECT_EQ(none.origin, Origin::None);
    EXPECT_EQ(none.why, "the frame rate could not be determined");
}

TEST(FrameRateChoice, RatesInNotesHaveThreeDecimalsAtMost) {
    EXPECT_EQ(rateText(60000.0 / 1001), "59.94");
    EXPECT_EQ(rateText(24000.0 / 1001), "23.976");
    EXPECT_EQ(rateText(25), "25");
    EXPECT_EQ(rateText(12.5), "12.5");
}

}  // namespace
}  // namespace cut2edl
