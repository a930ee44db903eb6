#pragma once

#include <array>

namespace cut2edl {

// Frames per second of an MPEG-2 frame_rate_code; -1.0 (the system's "unknown
// rate") for the forbidden code 0 and the reserved codes 9-15. The NTSC rates
// are the rounded decimals 23.976, 29.97 and 59.94 that the transport-stream
// probe and the renderings use.
constexpr double frame_rate_of_code(unsigned frame_rate_code)
{
    constexpr std::array<double, 9> rates{-1.0, 23.976, 24.0, 25.0, 29.97, 30.0, 50.0, 59.94, 60.0};
    return frame_rate_code < rates.size() ? rates[frame_rate_code] : -1.0;
}

// The same with the exact NTSC fractions 24000/1001, 30000/1001 and 60000/1001,
// as the program-stream and ASF probes publish them, so that frame numbers of
// long recordings do not drift against the rounded values.
constexpr double exact_frame_rate_of_code(unsigned frame_rate_code)
{
    constexpr std::array<double, 9> rates{
        -1.0, 24000.0 / 1001.0, 24.0, 25.0, 30000.0 / 1001.0, 30.0, 50.0, 60000.0 / 1001.0, 60.0};
    return frame_rate_code < rates.size() ? rates[frame_rate_code] : -1.0;
}

}  // namespace cut2edl
