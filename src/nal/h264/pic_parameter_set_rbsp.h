#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/field.h"
#include "mpeg/line_sink.h"

namespace cut2edl::h264 {

// pic_parameter_set_rbsp() (NAL unit type 8) up to
// redundant_pic_cnt_present_flag: the fields every picture parameter set
// has. A stream found by its start codes alone counts as H.264 only when one
// of these parses as well as its sequence parameter set. Slice groups
// (num_slice_groups_minus1 above 0, Baseline's flexible macroblock order)
// end the parse there. A value beyond its range or the end of the buffer
// ends it too, and read_through_core stays false.
class pic_parameter_set_rbsp {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    bool read_through_core = false;

    field_span span = 0;
    Field<std::uint32_t> pic_parameter_set_id;
    Field<std::uint32_t> seq_parameter_set_id;
    Field<std::uint8_t> entropy_coding_mode_flag;
    Field<std::uint8_t> bottom_field_pic_order_in_frame_present_flag;
    Field<std::uint32_t> num_slice_groups_minus1;
    Field<std::uint32_t> num_ref_idx_l0_default_active_minus1;
    Field<std::uint32_t> num_ref_idx_l1_default_active_minus1;
    Field<std::uint8_t> weighted_pred_flag;
    Field<std::uint8_t> weighted_bipred_idc;
    Field<std::int32_t> pic_init_qp_minus26;
    Field<std::int32_t> pic_init_qs_minus26;
    Field<std::int32_t> chroma_qp_index_offset;
    Field<std::uint8_t> deblocking_filter_control_present_flag;
    Field<std::uint8_t> constrained_intra_pred_flag;
    Field<std::uint8_t> redundant_pic_cnt_present_flag;
};

constexpr unsigned nal_unit_type_pic_parameter_set = 8;

// The first picture parameter set among the NAL units of a buffer of video
// PES packet bytes (as find_nal_unit walks them); nullptr when there is none.
std::unique_ptr<pic_parameter_set_rbsp> find_pic_parameter_set(const std::uint8_t* data, int length,
                                                                int first_position = 0);

}  // namespace cut2edl::h264
