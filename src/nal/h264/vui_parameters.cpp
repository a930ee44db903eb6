#include "nal/h264/vui_parameters.h"

#include "nal/indented_sink.h"
#include "nal/ranged_read.h"
#include "nal/value_text.h"

namespace cut2edl::h264 {

namespace {

constexpr unsigned Extended_SAR = 255;
constexpr std::uint32_t largest_chroma_sample_loc_type = 5;
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
    parameters->dump(nal::indented(sink));
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

void vui_parameters::parse_aspect_ratio_and_signal(BoundedReader& reader) {
    reader.read(aspect_ratio_info_present_flag, 1);
    if (aspect_ratio_info_present_flag.value) {
        reader.read(aspect_ratio_idc, 8);
        if (aspect_ratio_idc.value == Extended_SAR) {
            reader.read(sar_width, 16);
            reader.read(sar_height, 16);
        }
    }
    reader.read(overscan_info_present_flag, 1);
    if (overscan_info_present_flag.value) reader.read(overscan_appropriate_flag, 1);
    reader.read(video_signal_type_present_flag, 1);
    if (video_signal_type_present_flag.value) {
        reader.read(video_format, 3);
        reader.read(video_full_range_flag, 1);
        reader.read(colour_description_present_flag, 1);
        if (colour_description_present_flag.value) {
            reader.read(colour_primaries, 8);
            reader.read(transfer_characteristics, 8);
            reader.read(matrix_coefficients, 8);
        }
    }
    reader.read(chroma_loc_info_present_flag, 1);
    if (chroma_loc_info_present_flag.value) {
        read_ue_at_most(reader, chroma_sample_loc_type_top_field, largest_chroma_sample_loc_type);
        read_ue_at_most(reader, chroma_sample_loc_type_bottom_field, largest_chroma_sample_loc_type);
    }
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
    dump_aspect_ratio_and_signal(sink);
    dump_timing(sink);
    dump_hrd_and_restrictions(sink);
}

void vui_parameters::dump_aspect_ratio_and_signal(const LineSink& sink) const {
    print_line(sink, "aspect_ratio_info_present_flag: %s", yes_no(aspect_ratio_info_present_flag.value));
    if (aspect_ratio_info_present_flag.value) {
        print_line(sink, "aspect_ratio_idc: %u (%s)", aspect_ratio_idc.value,
                   nal::aspect_ratio_idc_text(aspect_ratio_idc.value).c_str());
        if (aspect_ratio_idc.value == Extended_SAR) {
            print_line(sink, "sar_width: %u", sar_width.value);
            print_line(sink, "sar_height: %u", sar_height.value);
        }
    }
    print_line(sink, "overscan_info_present_flag: %s", yes_no(overscan_info_present_flag.value));
    if (overscan_info_present_flag.value) {
        print_line(sink, "overscan_appropriate_flag: %s", yes_no(overscan_appropriate_flag.value));
    }
    print_line(sink, "video_signal_type_present_flag: %s", yes_no(video_signal_type_present_flag.value));
    if (video_signal_type_present_flag.value) {
        print_line(sink, "video_format: %u (%s)", video_format.value,
                   nal::video_format_text(video_format.value).c_str());
        print_line(sink, "video_full_range_flag: %s", yes_no(video_full_range_flag.value));
        print_line(sink, "colour_description_present_flag: %s", yes_no(colour_description_present_flag.value));
        if (colour_description_present_flag.value) {
            print_line(sink, "colour_primaries: %u", colour_primaries.value);
            print_line(sink, "transfer_characteristics: %u", transfer_characteristics.value);
            print_line(sink, "matrix_coefficients: %u", matrix_coefficients.value);
        }
    }
    print_line(sink, "chroma_loc_info_present_flag: %s", yes_no(chroma_loc_info_present_flag.value));
    if (chroma_loc_info_present_flag.value) {
        print_line(sink, "chroma_sample_loc_type_top_field: %u", chroma_sample_loc_type_top_field.value);
        print_line(sink, "chroma_sample_loc_type_bottom_field: %u", chroma_sample_loc_type_bottom_field.value);
    }
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
