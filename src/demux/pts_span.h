#pragma once

#include <cstdint>
#include <span>

namespace cut2edl {

// The presentation time stamps count 90 kHz ticks on a 33-bit clock that wraps
// every 26.5 hours.
constexpr double ptsClockRate = 90000.0;
constexpr std::int64_t ptsWrap = std::int64_t{1} << 33;

// `pts` counted from `reference`, across a wrap of the clock: how far it lies
// ahead (or, when negative, behind) on the nearer way round.
std::int64_t ptsSince(std::int64_t reference, std::int64_t pts);

// The earliest and the latest of stamps that lie within half the clock's
// range of one another, whether or not the clock wrapped between them. The
// pictures come in decoding order, so neither need be the first or the last.
std::int64_t earliestPts(std::span<const std::int64_t> stamps);
std::int64_t latestPts(std::span<const std::int64_t> stamps);

// Seconds from the earliest picture's stamp to the end of the latest
// picture, which lasts one frame.
double durationBetween(std::int64_t earliest, std::int64_t latest, double frameRate);

}  // namespace cut2edl
