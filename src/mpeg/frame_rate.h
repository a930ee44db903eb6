#pragma once

#include <array>

namespace cut2edl {

// frame_rate_extension_n and frame_rate_extension_d of a sequence extension:
// the frame rate is that of frame_rate_code times (n + 1) / (d + 1), so that
// MPEG-2 can carry rates such as 15 (25 x 3 / 5) or 12. Both are 0 in nearly
// every broadcast, where the rate is the code's.
struct FrameRateExtension {
    unsigned n = 0;
    unsigned d = 0;
};

// Frames per second of an MPEG-2 frame_rate_code; -1.0 (the system's "unknown
// rate") for the forbidden code 0 and the reserved codes 9-15. The NTSC rates
// are the rounded decimals 23.976, 29.97 and 59.94 that the transport-stream
// probe and the renderings use.
constexpr double frame_rate_of_code(unsigned frame_rate_code, FrameRateExtension extension = {})
{
    constexpr std::array<double, 9> rates{-1.0, 23.976, 24.0, 25.0, 29.97, 30.0, 50.0, 59.94, 60.0};
    if (frame_rate_code == 0 || frame_rate_code >= rates.size()) return -1.0;
    return rates[frame_rate_code] * (extension.n + 1) / (extension.d + 1);
}

// The same with the exact NTSC fractions 24000/1001, 30000/1001 and 60000/1001,
// as the program-stream and ASF probes publish them, so that frame numbers of
// long recordings do not drift against the rounded values. A scaled rate is one
// fraction too: 24000 x 3 / (1001 x 5), not a product of rounded values.
constexpr double exact_frame_rate_of_code(unsigned frame_rate_code, FrameRateExtension extension = {})
{
    struct Fraction {
        double numerator;
        double denominator;
    };
    constexpr std::array<Fraction, 9> rates{{{-1, 1}, {24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1},
                                             {50, 1}, {60000, 1001}, {60, 1}}};
    if (frame_rate_code == 0 || frame_rate_code >= rates.size()) return -1.0;
    const Fraction rate = rates[frame_rate_code];
    return rate.numerator * (extension.n + 1) / (rate.denominator * (extension.d + 1));
}

}  // namespace cut2edl
