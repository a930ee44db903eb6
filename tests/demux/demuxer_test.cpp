#include <gtest/gtest.h>

#include "demux/Demuxer.h"

namespace cut2edl {
namespace {

// The least demuxer that lets the seek index be filled directly.
class IndexOnlyDemuxer : public Demuxer {
public:
    IndexOnlyDemuxer() : Demuxer(nullptr, "") {}
    double progress() override { return 0.0; }
    bool start() override { return false; }
    bool run() override { return false; }
    bool seekToTime(double) override { return false; }
    bool addSeekPoint(double time) override {
        seekIndex.push_back({static_cast<std::int64_t>(time) * 100 + 7, time});
        return true;
    }
    std::int64_t adjustSeekPosition(std::int64_t position) override { return position; }
    std::optional<double> duration(const ProbeReport&) override { return std::nullopt; }
};

TEST(FindSeekPosition, LandsAtLeastOneIntervalEarly) {
    IndexOnlyDemuxer demuxer;
    for (double time : {0.0, 10.0, 20.0, 30.0}) demuxer.addSeekPoint(time);
    EXPECT_EQ(demuxer.findSeekPosition(25.0), 1007);
    EXPECT_EQ(demuxer.findSeekPosition(20.0), 7);
    EXPECT_EQ(demuxer.findSeekPosition(0.0), 7);
    EXPECT_EQ(demuxer.findSeekPosition(5.0), 7);
    EXPECT_EQ(demuxer.findSeekPosition(1000.0), 2007);
}

TEST(FindSeekPosition, ShortAndEmptyIndexes) {
    IndexOnlyDemuxer demuxer;
    EXPECT_EQ(demuxer.findSeekPosition(3.0), 0);
    demuxer.addSeekPoint(4.0);
    EXPECT_EQ(demuxer.findSeekPosition(3.0), 407);
    EXPECT_EQ(demuxer.findSeekPosition(9.0), 407);
}

}  // namespace
}  // namespace cut2edl
