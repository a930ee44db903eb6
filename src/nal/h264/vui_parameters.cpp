#include "nal/h264/vui_parameters.h"

#include "nal/ranged_read.h"

namespace cut2edl::h264 {

namespace {

constexpr std::uint32_t largest_denom = 16;

std::unique_ptr<hrd_parameters> parse_hrd_parameters(BoundedReader& reader, const Field<std::uint8_t>& present_flag) {
    if (reader.ran_out() || !present_flag.value) return nullptr;
    auto parameters = std::make_unique<hrd_parameters>();
    parameters->parse(reader);
    return parameters;
}

void dump_hrd_parameters(const LineSink& sink, const char* name, const std::unique_ptr<hrd_parameters>& parameters) {
    if (!parameters) return;
    print_line(sink, "%s:", name);
    parameters->dump(indented(sink));
}

}  // namespace

void vui_parameters::parse(BoundedReader& reader) {
    const int first = reader.byte_position();
    parse_aspect_ratio_and_signal(reader);
    parse_timing(reader);
    read_through_timing = !reader.ran_out();
    parse_hrd_and_restrictions(reader);
    span = reader.span_of(first, reader.consumed() - 1);
}

void vui_parameters::parse_timing(BoundedReader& reader) {
    reader.read(timing_info_present_flag, 1);
    if (!timing_info_present_flag.value) return;
    reader.read(num_units_in_tick, 32);
    reader.read(time_scale, 32);
    reader.read(fixed_frame_rate_flag, 1);
}

void vui_parameters::parse_hrd_and_restrictions(BoundedReader& reader) {
    reader.read(nal_hrd_parameters_present_flag, 1);
    nal_hrd_parameters = parse_hrd_parameters(reader, nal_hrd_parameters_present_flag);
    reader.read(vcl_hrd_parameters_present_flag, 1);
    vcl_hrd_parameters = parse_hrd_parameters(reader, vcl_hrd_parameters_present_flag);
    if (nal_hrd_parameters_present_flag.value || vcl_hrd_parameters_present_flag.value) {
        reader.read(low_delay_hrd_flag, 1);
    }
    reader.read(pic_struct_present_flag, 1);
    reader.read(bitstream_restriction_flag, 1);
    if (!bitstream_restriction_flag.value) return;
    reader.read(motion_vectors_over_pic_boundaries_flag, 1);
    read_ue_at_most(reader, max_bytes_per_pic_denom, largest_denom);
    read_ue_at_most(reader, max_bits_per_mb_denom, largest_denom);
    reader.read_ue(log2_max_mv_length_horizontal);
    reader.read_ue(log2_max_mv_length_vertical);
    reader.read_ue(max_num_reorder_frames);
    reader.read_ue(max_dec_frame_buffering);
}

void vui_parameters::dump(const LineSink& sink) const {
    dump_aspect_ratio_and_signal(sink, "matrix_coefficients");
    dump_timing(sink);
    dump_hrd_and_restrictions(sink);
}

void vui_parameters::dump_timing(const LineSink& sink) const {
    print_line(sink, "timing_info_present_flag: %s", yes_no(timing_info_present_flag.value));
    if (!timing_info_present_flag.value) return;
    print_line(sink, "num_units_in_tick: %u", num_units_in_tick.value);
    print_line(sink, "time_scale: %u", time_scale.value);
    print_line(sink, "fixed_frame_rate_flag: %s", yes_no(fixed_frame_rate_flag.value));
}

void vui_parameters::dump_hrd_and_restrictions(const LineSink& sink) const {
    print_line(sink, "nal_hrd_parameters_present_flag: %s", yes_no(nal_hrd_parameters_present_flag.value));
    dump_hrd_parameters(sink, "NAL hrd_parameters", nal_hrd_parameters);
    print_line(sink, "vcl_hrd_parameters_present_flag: %s", yes_no(vcl_hrd_parameters_present_flag.value));
    dump_hrd_parameters(sink, "VCL hrd_parameters", vcl_hrd_parameters);
    if (nal_hrd_parameters_present_flag.value || vcl_hrd_parameters_present_flag.value) {
        print_line(sink, "low_delay_hrd_flag: %s", yes_no(low_delay_hrd_flag.value));
    }
    print_line(sink, "pic_struct_present_flag: %s", yes_no(pic_struct_present_flag.value));
    print_line(sink, "bitstream_restriction_flag: %s", yes_no(bitstream_restriction_flag.value));
    if (!bitstream_restriction_flag.value) return;
    print_line(sink, "motion_vectors_over_pic_boundaries_flag: %s",
               yes_no(motion_vectors_over_pic_boundaries_flag.value));
    print_line(sink, "max_bytes_per_pic_denom: %u", max_bytes_per_pic_denom.value);
    print_line(sink, "max_bits_per_mb_denom: %u", max_bits_per_mb_denom.value);
    print_line(sink, "log2_max_mv_length_horizontal: %u", log2_max_mv_length_horizontal.value);
    print_line(sink, "log2_max_mv_length_vertical: %u", log2_max_mv_length_vertical.value);
    print_line(sink, "max_num_reorder_frames: %u", max_num_reorder_frames.value);
    print_line(sink, "max_dec_frame_buffering: %u", max_dec_frame_buffering.value);
}

}  // namespace cut2edl::h264
