#include <gtest/gtest.h>

#include "demux/PTSTracker.h"

namespace cut2edl {
namespace {

std::int64_t normalized(PTSTracker& tracker, std::int64_t position, std::int64_t pts, bool isVideo,
                        bool* drove = nullptr) {
    const bool result = tracker.normalizePts(position, pts, isVideo);
    if (drove) *drove = result;
    return pts;
}

TEST(PTSTracker, VideoDrivesTheLineAndEarlierStampsClampToZero) {
    PTSTracker tracker(1000);
    bool drove = false;
    EXPECT_EQ(normalized(tracker, 10, 4600, true, &drove), 3600);
    EXPECT_TRUE(drove);
    EXPECT_EQ(normalized(tracker, 5000, 900, false, &drove), 0);
    EXPECT_FALSE(drove);
}

TEST(PTSTracker, OnlyMoreThanOneSecondIsAJump) {
    PTSTracker exact(0);
    normalized(exact, 1, 90000, true);
    EXPECT_EQ(exact.segmentList().size(), 1u);

    PTSTracker over(0);
    normalized(over, 1, 90001, true);
    ASSERT_EQ(over.segmentList().size(), 2u);
    EXPECT_EQ(over.segmentList()[1].position, 1);
}

TEST(PTSTracker, AJumpVanishesFromTheTimeLine) {
    PTSTracker tracker(10000);
    const auto beforeJump = normalized(tracker, 100, 50000, true);
    EXPECT_EQ(beforeJump, 40000);
    EXPECT_EQ(normalized(tracker, 200, 9000000, true), beforeJump);
    EXPECT_EQ(normalized(tracker, 300, 9003600, true), beforeJump + 3600);
    // Audio between the two positions still belongs to the old segment.
    EXPECT_EQ(normalized(tracker, 150, 53600, false), 43600);
}

TEST(PTSTracker, BackwardJumpIsTreatedLikeAForwardOne) {
    PTSTracker tracker(9000000);
    normalized(tracker, 100, 9003600, true);
    EXPECT_EQ(normalized(tracker, 200, 1000, true), 3600);
    EXPECT_EQ(normalized(tracker, 300, 4600, true), 7200);
}

TEST(PTSTracker, VideoBehindTheLastDrivingPositionIsOnlyTranslated) {
    PTSTracker tracker(0);
    normalized(tracker, 500, 3600, true);
    bool drove = true;
    EXPECT_EQ(normalized(tracker, 400, 5000000, true, &drove), 5000000);
    EXPECT_FALSE(drove);
    EXPECT_EQ(tracker.segmentList().size(), 1u);
}

TEST(PTSTracker, BaseForPicksTheLastSegmentAtOrBeforeThePosition) {
    PTSTracker tracker(100);
    normalized(tracker, 1000, 500000, true);
    EXPECT_EQ(tracker.baseFor(0), 100);
    EXPECT_EQ(tracker.baseFor(999), 100);
    EXPECT_EQ(tracker.baseFor(1000), tracker.segmentList()[1].base);
    EXPECT_EQ(tracker.baseFor(-5), 100);
}

}  // namespace
}  // namespace cut2edl
