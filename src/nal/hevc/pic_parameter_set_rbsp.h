#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/field.h"
#include "mpeg/line_sink.h"

namespace cut2edl::hevc {

// pic_parameter_set_rbsp() (NAL unit type 34) up to pps_cr_qp_offset: the
// fields every picture parameter set has. A stream found by its start codes
// alone counts as HEVC only when one of these parses as well as its video and
// sequence parameter sets. A value beyond its range or the end of the buffer
// ends the parse, and read_through_core stays false.
class pic_parameter_set_rbsp {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    bool read_through_core = false;

    field_span span = 0;
    Field<std::uint32_t> pps_pic_parameter_set_id;
    Field<std::uint32_t> pps_seq_parameter_set_id;
    Field<std::uint8_t> dependent_slice_segments_enabled_flag;
    Field<std::uint8_t> output_flag_present_flag;
    Field<std::uint8_t> num_extra_slice_header_bits;
    Field<std::uint8_t> sign_data_hiding_enabled_flag;
    Field<std::uint8_t> cabac_init_present_flag;
    Field<std::uint32_t> num_ref_idx_l0_default_active_minus1;
    Field<std::uint32_t> num_ref_idx_l1_default_active_minus1;
    Field<std::int32_t> init_qp_minus26;
    Field<std::uint8_t> constrained_intra_pred_flag;
    Field<std::uint8_t> transform_skip_enabled_flag;
    Field<std::uint8_t> cu_qp_delta_enabled_flag;
    Field<std::uint32_t> diff_cu_qp_delta_depth;
    Field<std::int32_t> pps_cb_qp_offset;
    Field<std::int32_t> pps_cr_qp_offset;
};

constexpr unsigned nal_unit_type_pic_parameter_set = 34;  // PPS_NUT

// The first picture parameter set of the base layer among the NAL units of a
// buffer of video PES packet bytes (as find_nal_unit walks them); nullptr
// when there is none.
std::unique_ptr<pic_parameter_set_rbsp> find_pic_parameter_set(const std::uint8_t* data, int length,
                                                                int first_position = 0);

}  // namespace cut2edl::hevc
