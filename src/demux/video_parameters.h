#pragma once

#include <cstdint>

#include "demux/ProbeReport.h"

namespace cut2edl {

// What the first parameter set of a program's video tells: an MPEG-2
// sequence header, an H.264 sequence parameter set, or an HEVC sequence
// parameter set with the video parameter set it refers to.
struct VideoParameters {
    enum class Outcome {
        NotFound,          // none in the bytes, or one cut off before its size
        Found,             // size and frame rate (which may be a reserved code)
        FoundWithoutRate,  // size, but no timing information in the parameter set
        NeedsMoreBytes,    // a sequence header so near the end that its extension may be cut off
    };
    Outcome outcome = Outcome::NotFound;
    std::int32_t width = -1;
    std::int32_t height = -1;
    double frameRate = -1.0;
    // An H.264 stream that may code its fields as pictures of their own (frame_mbs_only_flag 0).
    bool fieldPictures = false;
};

// Looks for the first parameter set of the coding of `streamType` in `length`
// bytes of video PES packets, and reports it with its lines when found; spans
// count the buffer's bytes from 1. The
// MPEG-2 rates are the rounded ones of the frame-rate table, scaled by a
// sequence extension; the H.264 rates the exact time_scale / (2 x
// num_units_in_tick); the HEVC rates the exact vui_time_scale /
// vui_num_units_in_tick, or the video parameter set's where only it has timing. With `moreBytesToCome`, a sequence header too near the
// end for its extension asks for more bytes instead.
VideoParameters findVideoParameters(std::uint8_t streamType, const std::uint8_t* data, int length,
                                    const ProbeReport& report, bool moreBytesToCome);

}  // namespace cut2edl
