#include "nal/h264/pic_parameter_set_rbsp.h"

#include "mpeg/bounded_reader.h"
#include "nal/emulation_prevention.h"
#include "nal/h264/seq_parameter_set_rbsp.h"
#include "nal/nal_unit.h"
#include "nal/ranged_read.h"

namespace cut2edl::h264 {

namespace {

constexpr std::uint32_t largest_pic_parameter_set_id = 255;
constexpr std::uint32_t largest_seq_parameter_set_id = 31;
constexpr std::uint32_t largest_num_slice_groups_minus1 = 7;
constexpr std::uint32_t largest_num_ref_idx_minus1 = 31;
constexpr std::uint8_t largest_weighted_bipred_idc = 2;
constexpr std::int32_t qp_offset_range = 26;
constexpr std::int32_t largest_chroma_qp_index_offset = 12;

}  // namespace

void pic_parameter_set_rbsp::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    read_ue_at_most(reader, pic_parameter_set_id, largest_pic_parameter_set_id);
    read_ue_at_most(reader, seq_parameter_set_id, largest_seq_parameter_set_id);
    reader.read(entropy_coding_mode_flag, 1);
    reader.read(bottom_field_pic_order_in_frame_present_flag, 1);
    read_ue_at_most(reader, num_slice_groups_minus1, largest_num_slice_groups_minus1);
    if (num_slice_groups_minus1.value > 0) reader.stop();
    read_ue_at_most(reader, num_ref_idx_l0_default_active_minus1, largest_num_ref_idx_minus1);
    read_ue_at_most(reader, num_ref_idx_l1_default_active_minus1, largest_num_ref_idx_minus1);
    reader.read(weighted_pred_flag, 1);
    read_at_most(reader, weighted_bipred_idc, 2, largest_weighted_bipred_idc);
    read_se_within(reader, pic_init_qp_minus26, -qp_offset_range, qp_offset_range - 1);
    read_se_within(reader, pic_init_qs_minus26, -qp_offset_range, qp_offset_range - 1);
    read_se_within(reader, chroma_qp_index_offset, -largest_chroma_qp_index_offset, largest_chroma_qp_index_offset);
    reader.read(deblocking_filter_control_present_flag, 1);
    reader.read(constrained_intra_pred_flag, 1);
    reader.read(redundant_pic_cnt_present_flag, 1);
    read_through_core = !reader.ran_out();
    span = reader.whole_span();
}

void pic_parameter_set_rbsp::dump(const LineSink& sink) const {
    print_line(sink, "pic_parameter_set_id: %u", pic_parameter_set_id.value);
    print_line(sink, "seq_parameter_set_id: %u", seq_parameter_set_id.value);
    print_line(sink, "entropy_coding_mode_flag: %s", yes_no(entropy_coding_mode_flag.value));
    print_line(sink, "bottom_field_pic_order_in_frame_present_flag: %s",
               yes_no(bottom_field_pic_order_in_frame_present_flag.value));
    print_line(sink, "num_slice_groups_minus1: %u", num_slice_groups_minus1.value);
    print_line(sink, "num_ref_idx_l0_default_active_minus1: %u", num_ref_idx_l0_default_active_minus1.value);
    print_line(sink, "num_ref_idx_l1_default_active_minus1: %u", num_ref_idx_l1_default_active_minus1.value);
    print_line(sink, "weighted_pred_flag: %s", yes_no(weighted_pred_flag.value));
    print_line(sink, "weighted_bipred_idc: %u", weighted_bipred_idc.value);
    print_line(sink, "pic_init_qp_minus26: %d", pic_init_qp_minus26.value);
    print_line(sink, "pic_init_qs_minus26: %d", pic_init_qs_minus26.value);
    print_line(sink, "chroma_qp_index_offset: %d", chroma_qp_index_offset.value);
    print_line(sink, "deblocking_filter_control_present_flag: %s", yes_no(deblocking_filter_control_present_flag.value));
    print_line(sink, "constrained_intra_pred_flag: %s", yes_no(constrained_intra_pred_flag.value));
    print_line(sink, "redundant_pic_cnt_present_flag: %s", yes_no(redundant_pic_cnt_present_flag.value));
}

std::unique_ptr<pic_parameter_set_rbsp> find_pic_parameter_set(const std::uint8_t* data, int length,
                                                                int first_position) {
    for (NalUnit unit = find_nal_unit(data, length, 0); unit.found(); unit = find_nal_unit(data, length, unit.end())) {
        if (nal_unit_type_of(data[unit.offset]) != nal_unit_type_pic_parameter_set) continue;
        return parse_rbsp<pic_parameter_set_rbsp>(data + unit.offset, unit.length, nal_unit_header_bytes,
                                                  first_position);
    }
    return nullptr;
}

}  // namespace cut2edl::h264
