#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"
#include "nal/hevc/hrd_parameters.h"
#include "nal/hevc/timing_info.h"
#include "nal/vui_aspect_ratio_and_signal.h"

namespace cut2edl::hevc {

// vui_parameters() of a sequence parameter set: sample aspect ratio,
// overscan, video signal type, chroma location, whether the pictures are
// fields, the default display window, timing with the HRD parameters, and
// the bitstream restrictions.
class vui_parameters : public nal::vui_aspect_ratio_and_signal {
public:
    // Reads at the reader's cursor, within the parameter set's bits.
    void parse(BoundedReader& reader, unsigned sps_max_sub_layers_minus1);
    void dump(const LineSink& sink) const;

    // Whether every field up to and including the timing (from
    // vui_timing_info_present_flag to vui_num_ticks_poc_diff_one_minus1, or
    // the flag of 0) was read.
    bool read_through_timing = false;

    field_span span = 0;
    Field<std::uint8_t> neutral_chroma_indication_flag;
    Field<std::uint8_t> field_seq_flag;
    Field<std::uint8_t> frame_field_info_present_flag;
    Field<std::uint8_t> default_display_window_flag;
    Field<std::uint32_t> def_disp_win_left_offset;
    Field<std::uint32_t> def_disp_win_right_offset;
    Field<std::uint32_t> def_disp_win_top_offset;
    Field<std::uint32_t> def_disp_win_bottom_offset;
    Field<std::uint8_t> vui_timing_info_present_flag;
    timing_info vui_timing;
    Field<std::uint8_t> vui_hrd_parameters_present_flag;
    std::unique_ptr<hrd_parameters> hrd;
    Field<std::uint8_t> bitstream_restriction_flag;
    Field<std::uint8_t> tiles_fixed_structure_flag;
    Field<std::uint8_t> motion_vectors_over_pic_boundaries_flag;
    Field<std::uint8_t> restricted_ref_pic_lists_flag;
    Field<std::uint32_t> min_spatial_segmentation_idc;
    Field<std::uint32_t> max_bytes_per_pic_denom;
    Field<std::uint32_t> max_bits_per_min_cu_denom;
    Field<std::uint32_t> log2_max_mv_length_horizontal;
    Field<std::uint32_t> log2_max_mv_length_vertical;

private:
    void parse_fields_and_window(BoundedReader& reader);
    void parse_timing(BoundedReader& reader, unsigned sps_max_sub_layers_minus1);
    void parse_bitstream_restriction(BoundedReader& reader);
    void dump_fields_and_window(const LineSink& sink) const;
    void dump_timing(const LineSink& sink) const;
    void dump_bitstream_restriction(const LineSink& sink) const;
};

}  // namespace cut2edl::hevc
