#include "convert/rate_fraction.h"

#include <cmath>

namespace cut2edl {

namespace {

// Closer than this, a fraction is the double's own value.
constexpr double relativeTolerance = 1e-12;
// Rates come from 32-bit fields; a longer expansion is no rate of a video.
constexpr double largestDenominator = 4294967296.0;

}  // namespace

Fraction exactFraction(double rate) {
    // The convergents of the continued fraction, the best approximations there are.
    double before = 0, beforeDenominator = 1, last = 1, lastDenominator = 0;
    double rest = rate;
    while (std::isfinite(rest)) {
        const double term = std::floor(rest);
        const double next = term * last + before, nextDenominator = term * lastDenominator + beforeDenominator;
        if (nextDenominator > largestDenominator) break;
        before = last, beforeDenominator = lastDenominator, last = next, lastDenominator = nextDenominator;
        if (std::abs(last / lastDenominator - rate) <= relativeTolerance * std::abs(rate)) break;
        rest = 1.0 / (rest - term);
    }
    if (lastDenominator == 0) return {};
    return {static_cast<std::int64_t>(last), static_cast<std::int64_t>(lastDenominator)};
}

}  // namespace cut2edl
