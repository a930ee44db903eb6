#pragma once

#include <cstdint>
#include <vector>

namespace cut2edl {

// Where a stretch of continuous time stamps begins in the file, and which raw
// 90 kHz value maps to zero within it.
struct PtsSegment {
    std::int64_t position;
    std::int64_t base;
};

// Maps raw presentation time stamps onto one continuous time line that starts
// at the first video time stamp, so that spliced recordings and wrapped clocks
// do not show as jumps. Positions are in the demuxer's own unit.
class PTSTracker {
public:
    explicit PTSTracker(std::int64_t firstPts);
    virtual ~PTSTracker() = default;

    // Replaces `pts` by its time on the continuous line; true when the call was
    // a forward-moving video time stamp that drove the line.
    virtual bool normalizePts(std::int64_t position, std::int64_t& pts, bool isVideo);

    std::int64_t baseFor(std::int64_t position) const;

    const std::vector<PtsSegment>& segmentList() const { return segments; }

private:
    std::vector<PtsSegment> segments;
    std::int64_t lastVideoPosition = 0;
    std::int64_t lastVideoPts;
};

}  // namespace cut2edl
