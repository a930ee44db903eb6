#include "nal/hevc/vui_parameters.h"

#include "nal/ranged_read.h"

namespace cut2edl::hevc {

namespace {

constexpr std::uint32_t largest_min_spatial_segmentation_idc = 4095;
constexpr std::uint32_t largest_denom = 16;
constexpr std::uint32_t largest_log2_max_mv_length = 15;

}  // namespace

void vui_parameters::parse(BoundedReader& reader, unsigned sps_max_sub_layers_minus1) {
    const int first = reader.byte_position();
    parse_aspect_ratio_and_signal(reader);
    parse_fields_and_window(reader);
    parse_timing(reader, sps_max_sub_layers_minus1);
    parse_bitstream_restriction(reader);
    span = reader.span_since(first);
}

void vui_parameters::parse_fields_and_window(BoundedReader& reader) {
    reader.read(neutral_chroma_indication_flag, 1);
    reader.read(field_seq_flag, 1);
    reader.read(frame_field_info_present_flag, 1);
    reader.read(default_display_window_flag, 1);
    if (default_display_window_flag.value) {
        reader.read_ue(def_disp_win_left_offset);
        reader.read_ue(def_disp_win_right_offset);
        reader.read_ue(def_disp_win_top_offset);
        reader.read_ue(def_disp_win_bottom_offset);
    }
}

void vui_parameters::parse_timing(BoundedReader& reader, unsigned sps_max_sub_layers_minus1) {
    reader.read(vui_timing_info_present_flag, 1);
    if (vui_timing_info_present_flag.value) vui_timing.parse(reader);
    read_through_timing = !reader.ran_out();
    if (!vui_timing_info_present_flag.value) return;
    reader.read(vui_hrd_parameters_present_flag, 1);
    if (reader.ran_out() || !vui_hrd_parameters_present_flag.value) return;
    hrd = std::make_unique<hrd_parameters>();
    hrd->parse(reader, true, sps_max_sub_layers_minus1);
}

void vui_parameters::parse_bitstream_restriction(BoundedReader& reader) {
    reader.read(bitstream_restriction_flag, 1);
    if (!bitstream_restriction_flag.value) return;
    reader.read(tiles_fixed_structure_flag, 1);
    reader.read(motion_vectors_over_pic_boundaries_flag, 1);
    reader.read(restricted_ref_pic_lists_flag, 1);
    read_ue_at_most(reader, min_spatial_segmentation_idc, largest_min_spatial_segmentation_idc);
    read_ue_at_most(reader, max_bytes_per_pic_denom, largest_denom);
    read_ue_at_most(reader, max_bits_per_min_cu_denom, largest_denom);
    read_ue_at_most(reader, log2_max_mv_length_horizontal, largest_log2_max_mv_length);
    read_ue_at_most(reader, log2_max_mv_length_vertical, largest_log2_max_mv_length);
}

void vui_parameters::dump(const LineSink& sink) const {
    dump_aspect_ratio_and_signal(sink, "matrix_coeffs");
    dump_fields_and_window(sink);
    dump_timing(sink);
    dump_bitstream_restriction(sink);
}

void vui_parameters::dump_fields_and_window(const LineSink& sink) const {
    print_line(sink, "neutral_chroma_indication_flag: %s", yes_no(neutral_chroma_indication_flag.value));
    print_line(sink, "field_seq_flag: %s", yes_no(field_seq_flag.value));
    print_line(sink, "frame_field_info_present_flag: %s", yes_no(frame_field_info_present_flag.value));
    print_line(sink, "default_display_window_flag: %s", yes_no(default_display_window_flag.value));
    if (default_display_window_flag.value) {
        print_line(sink, "def_disp_win_left_offset: %u", def_disp_win_left_offset.value);
        print_line(sink, "def_disp_win_right_offset: %u", def_disp_win_right_offset.value);
        print_line(sink, "def_disp_win_top_offset: %u", def_disp_win_top_offset.value);
        print_line(sink, "def_disp_win_bottom_offset: %u", def_disp_win_bottom_offset.value);
    }
}

void vui_parameters::dump_timing(const LineSink& sink) const {
    print_line(sink, "vui_timing_info_present_flag: %s", yes_no(vui_timing_info_present_flag.value));
    if (!vui_timing_info_present_flag.value) return;
    vui_timing.dump(sink, "vui");
    print_line(sink, "vui_hrd_parameters_present_flag: %s", yes_no(vui_hrd_parameters_present_flag.value));
    if (!hrd) return;
    print_line(sink, "hrd_parameters:");
    hrd->dump(indented(sink));
}

void vui_parameters::dump_bitstream_restriction(const LineSink& sink) const {
    print_line(sink, "bitstream_restriction_flag: %s", yes_no(bitstream_restriction_flag.value));
    if (!bitstream_restriction_flag.value) return;
    print_line(sink, "tiles_fixed_structure_flag: %s", yes_no(tiles_fixed_structure_flag.value));
    print_line(sink, "motion_vectors_over_pic_boundaries_flag: %s",
               yes_no(motion_vectors_over_pic_boundaries_flag.value));
    print_line(sink, "restricted_ref_pic_lists_flag: %s", yes_no(restricted_ref_pic_lists_flag.value));
    print_line(sink, "min_spatial_segmentation_idc: %u", min_spatial_segmentation_idc.value);
    print_line(sink, "max_bytes_per_pic_denom: %u", max_bytes_per_pic_denom.value);
    print_line(sink, "max_bits_per_min_cu_denom: %u", max_bits_per_min_cu_denom.value);
    print_line(sink, "log2_max_mv_length_horizontal: %u", log2_max_mv_length_horizontal.value);
    print_line(sink, "log2_max_mv_length_vertical: %u", log2_max_mv_length_vertical.value);
}

}  // namespace cut2edl::hevc
