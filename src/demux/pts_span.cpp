#include "demux/pts_span.h"

#include <algorithm>

namespace cut2edl {

std::int64_t ptsSince(std::int64_t reference, std::int64_t pts) {
    std::int64_t since = ((pts - reference) % ptsWrap + ptsWrap) % ptsWrap;
    if (since > ptsWrap / 2) since -= ptsWrap;
    return since;
}

std::int64_t earliestPts(std::span<const std::int64_t> stamps) {
    return *std::ranges::min_element(stamps, {}, [&](std::int64_t pts) { return ptsSince(stamps.front(), pts); });
}

std::int64_t latestPts(std::span<const std::int64_t> stamps) {
    return *std::ranges::max_element(stamps, {}, [&](std::int64_t pts) { return ptsSince(stamps.front(), pts); });
}

double durationBetween(std::int64_t earliest, std::int64_t latest, double frameRate) {
    const std::int64_t ticks = ((latest - earliest) % ptsWrap + ptsWrap) % ptsWrap;
    return static_cast<double>(ticks) / ptsClockRate + 1.0 / frameRate;
}

}  // namespace cut2edl
