#include "nal/hevc/pic_parameter_set_rbsp.h"

#include "mpeg/bounded_reader.h"
#include "nal/emulation_prevention.h"
#include "nal/hevc/parameter_sets.h"
#include "nal/nal_unit.h"
#include "nal/ranged_read.h"

namespace cut2edl::hevc {

namespace {

constexpr std::uint32_t largest_pps_pic_parameter_set_id = 63;
constexpr std::uint32_t largest_pps_seq_parameter_set_id = 15;
constexpr std::uint32_t largest_num_ref_idx_minus1 = 14;
// init_qp_minus26 reaches down to -(26 + QpBdOffsetY); 16-bit video has the largest offset, 48.
constexpr std::int32_t lowest_init_qp_minus26 = -(26 + 48);
constexpr std::int32_t largest_init_qp_minus26 = 25;
constexpr std::uint32_t largest_diff_cu_qp_delta_depth = 3;
constexpr std::int32_t largest_chroma_qp_offset = 12;

}  // namespace

void pic_parameter_set_rbsp::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    read_ue_at_most(reader, pps_pic_parameter_set_id, largest_pps_pic_parameter_set_id);
    read_ue_at_most(reader, pps_seq_parameter_set_id, largest_pps_seq_parameter_set_id);
    reader.read(dependent_slice_segments_enabled_flag, 1);
    reader.read(output_flag_present_flag, 1);
    reader.read(num_extra_slice_header_bits, 3);
    reader.read(sign_data_hiding_enabled_flag, 1);
    reader.read(cabac_init_present_flag, 1);
    read_ue_at_most(reader, num_ref_idx_l0_default_active_minus1, largest_num_ref_idx_minus1);
    read_ue_at_most(reader, num_ref_idx_l1_default_active_minus1, largest_num_ref_idx_minus1);
    read_se_within(reader, init_qp_minus26, lowest_init_qp_minus26, largest_init_qp_minus26);
    reader.read(constrained_intra_pred_flag, 1);
    reader.read(transform_skip_enabled_flag, 1);
    reader.read(cu_qp_delta_enabled_flag, 1);
    if (cu_qp_delta_enabled_flag.value) {
        read_ue_at_most(reader, diff_cu_qp_delta_depth, largest_diff_cu_qp_delta_depth);
    }
    read_se_within(reader, pps_cb_qp_offset, -largest_chroma_qp_offset, largest_chroma_qp_offset);
    read_se_within(reader, pps_cr_qp_offset, -largest_chroma_qp_offset, largest_chroma_qp_offset);
    read_through_core = !reader.ran_out();
    span = reader.whole_span();
}

void pic_parameter_set_rbsp::dump(const LineSink& sink) const {
    print_line(sink, "pps_pic_parameter_set_id: %u", pps_pic_parameter_set_id.value);
    print_line(sink, "pps_seq_parameter_set_id: %u", pps_seq_parameter_set_id.value);
    print_line(sink, "dependent_slice_segments_enabled_flag: %s", yes_no(dependent_slice_segments_enabled_flag.value));
    print_line(sink, "output_flag_present_flag: %s", yes_no(output_flag_present_flag.value));
    print_line(sink, "num_extra_slice_header_bits: %u", num_extra_slice_header_bits.value);
    print_line(sink, "sign_data_hiding_enabled_flag: %s", yes_no(sign_data_hiding_enabled_flag.value));
    print_line(sink, "cabac_init_present_flag: %s", yes_no(cabac_init_present_flag.value));
    print_line(sink, "num_ref_idx_l0_default_active_minus1: %u", num_ref_idx_l0_default_active_minus1.value);
    print_line(sink, "num_ref_idx_l1_default_active_minus1: %u", num_ref_idx_l1_default_active_minus1.value);
    print_line(sink, "init_qp_minus26: %d", init_qp_minus26.value);
    print_line(sink, "constrained_intra_pred_flag: %s", yes_no(constrained_intra_pred_flag.value));
    print_line(sink, "transform_skip_enabled_flag: %s", yes_no(transform_skip_enabled_flag.value));
    print_line(sink, "cu_qp_delta_enabled_flag: %s", yes_no(cu_qp_delta_enabled_flag.value));
    if (cu_qp_delta_enabled_flag.value) print_line(sink, "diff_cu_qp_delta_depth: %u", diff_cu_qp_delta_depth.value);
    print_line(sink, "pps_cb_qp_offset: %d", pps_cb_qp_offset.value);
    print_line(sink, "pps_cr_qp_offset: %d", pps_cr_qp_offset.value);
}

std::unique_ptr<pic_parameter_set_rbsp> find_pic_parameter_set(const std::uint8_t* data, int length,
                                                                int first_position) {
    for (NalUnit unit = find_nal_unit(data, length, 0); unit.found(); unit = find_nal_unit(data, length, unit.end())) {
        const std::uint8_t first = data[unit.offset];
        const std::uint8_t second = unit.length > 1 ? data[unit.offset + 1] : 0;
        if (nal_unit_type_of(first) != nal_unit_type_pic_parameter_set || nuh_layer_id_of(first, second) != 0) continue;
        return parse_rbsp<pic_parameter_set_rbsp>(data + unit.offset, unit.length, nal_unit_header_bytes,
                                                  first_position);
    }
    return nullptr;
}

}  // namespace cut2edl::hevc
