#include "demux/PTSTracker.h"

#include <cstdlib>

namespace cut2edl {

namespace {
// More than one second between two video time stamps is a discontinuity.
constexpr std::int64_t jumpThreshold = 90000;
}  // namespace

PTSTracker::PTSTracker(std::int64_t firstPts) : segments{{0, firstPts}}, lastVideoPts(firstPts) {}

bool PTSTracker::normalizePts(std::int64_t position, std::int64_t& pts, bool isVideo) {
    const bool drivesTimeLine = isVideo && position >= lastVideoPosition;
    if (drivesTimeLine) {
        if (std::llabs(pts - lastVideoPts) > jumpThreshold) {
            // The jumped stamp maps to the time of the previous one: the jump vanishes.
            segments.push_back({position, segments.back().base - lastVideoPts + pts});
        }
        lastVideoPts = pts;
        lastVideoPosition = position;
    }
    const std::int64_t normalized = pts - baseFor(position);
    pts = normalized < 0 ? 0 : normalized;
    return drivesTimeLine;
}

std::int64_t PTSTracker::baseFor(std::int64_t position) const {
    for (auto it = segments.rbegin(); it != segments.rend(); ++it) {
        if (it->position <= position) return it->base;
    }
    return segments.front().base;
}

}  // namespace cut2edl
