#pragma once

#include <cstdint>

#include "demux/ProbeReport.h"

namespace cut2edl {

// What the first parameter set of a program's video tells: an MPEG-2
// sequence header or an H.264 sequence parameter set.
struct VideoParameters {
    enum class Outcome {
        NotFound,          // none in the bytes, or one cut off before its size
        Found,             // size and frame rate (which may be a reserved code)
        FoundWithoutRate,  // a parameter set that carries no timing information
    };
    Outcome outcome = Outcome::NotFound;
    std::int32_t width = -1;
    std::int32_t height = -1;
    double frameRate = -1.0;
};

// The video codings whose parameter sets give the frame rate.
bool isReadVideoType(std::uint8_t streamType);

// Looks for the first parameter set of the coding of `streamType` in `length`
// bytes of video PES packets, and reports it with its lines when found. The
// MPEG-2 rates are the rounded ones of the frame-rate table; the H.264 rates
// the exact time_scale / (2 x num_units_in_tick).
VideoParameters findVideoParameters(std::uint8_t streamType, const std::uint8_t* data, int length, int* position,
                                    const ProbeReport& report);

}  // namespace cut2edl
