#pragma once

#include <cstdint>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"

namespace cut2edl::h264 {

// hrd_parameters() of the VUI: the hypothetical reference decoder's buffers,
// one schedule per SchedSelIdx up to cpb_cnt_minus1 (at most 31).
class hrd_parameters {
public:
    // Reads at the reader's cursor, within the parameter set's bits.
    void parse(BoundedReader& reader);
    void dump(const LineSink& sink) const;

    struct schedule {
        Field<std::uint32_t> bit_rate_value_minus1;
        Field<std::uint32_t> cpb_size_value_minus1;
        Field<std::uint8_t> cbr_flag;
    };

    field_span span = 0;
    Field<std::uint32_t> cpb_cnt_minus1;
    Field<std::uint8_t> bit_rate_scale;
    Field<std::uint8_t> cpb_size_scale;
    std::vector<schedule> schedules;  // indexed by SchedSelIdx, as many as were read
    Field<std::uint8_t> initial_cpb_removal_delay_length_minus1;
    Field<std::uint8_t> cpb_removal_delay_length_minus1;
    Field<std::uint8_t> dpb_output_delay_length_minus1;
    Field<std::uint8_t> time_offset_length;
};

}  // namespace cut2edl::h264
