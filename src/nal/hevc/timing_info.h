#pragma once

#include <cstdint>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"

namespace cut2edl::hevc {

// The timing of a video parameter set (vps_ fields) or of the VUI (vui_
// fields), read when its timing_info_present_flag is 1: time_scale ticks of
// num_units_in_tick each make a picture's time, and the picture order count
// may run with time. Fields are named as the standard names them less the
// vps_ or vui_ prefix, which the rendering puts back.
class timing_info {
public:
    // Reads from num_units_in_tick up to num_ticks_poc_diff_one_minus1.
    void parse(BoundedReader& reader);
    // `prefix` is "vps" or "vui".
    void dump(const LineSink& sink, const char* prefix) const;

    // Pictures per second, time_scale / num_units_in_tick, the double nearest
    // to that fraction; -1.0 when either is 0.
    double picture_rate() const;

    Field<std::uint32_t> num_units_in_tick;
    Field<std::uint32_t> time_scale;
    Field<std::uint8_t> poc_proportional_to_timing_flag;
    Field<std::uint32_t> num_ticks_poc_diff_one_minus1;
};

}  // namespace cut2edl::hevc
