#include <gtest/gtest.h>

#include <vector>

#include "demux/pts_span.h"

namespace cut2edl {
namespace {

TEST(PtsSpan, EarliestAndLatestAcrossAWrapOfTheClock) {
    // Pictures in decoding order (I P B B), the clock wrapping after the I picture.
    const std::int64_t i = ptsWrap - 3600;
    const std::vector<std::int64_t> stamps = {i, i + 3 * 3600 - ptsWrap, i + 3600, i + 2 * 3600 - ptsWrap};
    EXPECT_EQ(earliestPts(stamps), i);
    EXPECT_EQ(latestPts(stamps), 2 * 3600);  // the P picture, three pictures behind the I
    EXPECT_EQ(ptsSince(ptsWrap - 1, 1), 2);
    EXPECT_EQ(ptsSince(1, ptsWrap - 1), -2);
}

TEST(PtsSpan, DurationRunsToTheEndOfTheLatestPicture) {
    // 38 pictures at 25 frames per second: 37 spacings of 3600 ticks and the last picture.
    EXPECT_DOUBLE_EQ(durationBetween(129600, 129600 + 37 * 3600, 25), 1.52);
    EXPECT_DOUBLE_EQ(durationBetween(ptsWrap - 3600, 3600 * 36, 25), 1.52);
}

}  // namespace
}  // namespace cut2edl
