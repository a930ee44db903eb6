#pragma once

#include <array>

namespace cut2edl {

// Frames per second of an MPEG-2 frame_rate_code; -1.0 (the system's "unknown
// rate") for the forbidden code 0 and the reserved codes 9-15. The NTSC rates
// are the rounded decimals that every rendering and every cut list has always
// used, not the exact 1001 fractions.
constexpr double frame_rate_of_code(unsigned frame_rate_code)
{
    constexpr std::array<double, 9> rates{-1.0, 23.976, 24.0, 25.0, 29.97, 30.0, 50.0, 59.94, 60.0};
    return frame_rate_code < rates.size() ? rates[frame_rate_code] : -1.0;
}

}  // namespace cut2edl
