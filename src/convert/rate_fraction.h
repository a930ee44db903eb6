#pragma once

#include <cstdint>

namespace cut2edl {

struct Fraction {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

// The fraction with the smallest denominator that `rate` is, as far as a
// double tells: 30000/1001 for the NTSC rate, 2997/125 for its rounded 23.976.
Fraction exactFraction(double rate);

}  // namespace cut2edl
