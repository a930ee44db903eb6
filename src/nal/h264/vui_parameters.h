#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"
#include "nal/h264/hrd_parameters.h"
#include "nal/vui_aspect_ratio_and_signal.h"

namespace cut2edl::h264 {

// vui_parameters() of a sequence parameter set: sample aspect ratio, overscan,
// video signal type, chroma location, timing, the HRD parameters and the
// bitstream restrictions.
class vui_parameters : public nal::vui_aspect_ratio_and_signal {
public:
    // Reads at the reader's cursor, within the parameter set's bits.
    void parse(BoundedReader& reader);
    void dump(const LineSink& sink) const;

    // Whether every field up to and including fixed_frame_rate_flag (or the
    // timing_info_present_flag of 0) was read.
    bool read_through_timing = false;

    field_span span = 0;
    Field<std::uint8_t> timing_info_present_flag;
    Field<std::uint32_t> num_units_in_tick;
    Field<std::uint32_t> time_scale;
    Field<std::uint8_t> fixed_frame_rate_flag;
    Field<std::uint8_t> nal_hrd_parameters_present_flag;
    std::unique_ptr<hrd_parameters> nal_hrd_parameters;
    Field<std::uint8_t> vcl_hrd_parameters_present_flag;
    std::unique_ptr<hrd_parameters> vcl_hrd_parameters;
    Field<std::uint8_t> low_delay_hrd_flag;
    Field<std::uint8_t> pic_struct_present_flag;
    Field<std::uint8_t> bitstream_restriction_flag;
    Field<std::uint8_t> motion_vectors_over_pic_boundaries_flag;
    Field<std::uint32_t> max_bytes_per_pic_denom;
    Field<std::uint32_t> max_bits_per_mb_denom;
    Field<std::uint32_t> log2_max_mv_length_horizontal;
    Field<std::uint32_t> log2_max_mv_length_vertical;
    Field<std::uint32_t> max_num_reorder_frames;
    Field<std::uint32_t> max_dec_frame_buffering;

private:
    void parse_timing(BoundedReader& reader);
    void parse_hrd_and_restrictions(BoundedReader& reader);
    void dump_timing(const LineSink& sink) const;
    void dump_hrd_and_restrictions(const LineSink& sink) const;
};

}  // namespace cut2edl::h264
