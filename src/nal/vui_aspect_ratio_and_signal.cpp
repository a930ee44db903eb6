#include "nal/vui_aspect_ratio_and_signal.h"

#include "nal/ranged_read.h"
#include "nal/value_text.h"

namespace cut2edl::nal {

namespace {

constexpr unsigned Extended_SAR = 255;
constexpr std::uint32_t largest_chroma_sample_loc_type = 5;

}  // namespace

void vui_aspect_ratio_and_signal::parse_aspect_ratio_and_signal(BoundedReader& reader) {
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

void vui_aspect_ratio_and_signal::dump_aspect_ratio_and_signal(const LineSink& sink,
                                                               const char* matrix_coefficients_name) const {
    print_line(sink, "aspect_ratio_info_present_flag: %s", yes_no(aspect_ratio_info_present_flag.value));
    if (aspect_ratio_info_present_flag.value) {
        print_line(sink, "aspect_ratio_idc: %u (%s)", aspect_ratio_idc.value,
                   aspect_ratio_idc_text(aspect_ratio_idc.value).c_str());
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
        print_line(sink, "video_format: %u (%s)", video_format.value, video_format_text(video_format.value).c_str());
        print_line(sink, "video_full_range_flag: %s", yes_no(video_full_range_flag.value));
        print_line(sink, "colour_description_present_flag: %s", yes_no(colour_description_present_flag.value));
        if (colour_description_present_flag.value) {
            print_line(sink, "colour_primaries: %u", colour_primaries.value);
            print_line(sink, "transfer_characteristics: %u", transfer_characteristics.value);
            print_line(sink, "%s: %u", matrix_coefficients_name, matrix_coefficients.value);
        }
    }
    print_line(sink, "chroma_loc_info_present_flag: %s", yes_no(chroma_loc_info_present_flag.value));
    if (chroma_loc_info_present_flag.value) {
        print_line(sink, "chroma_sample_loc_type_top_field: %u", chroma_sample_loc_type_top_field.value);
        print_line(sink, "chroma_sample_loc_type_bottom_field: %u", chroma_sample_loc_type_bottom_field.value);
    }
}

}  // namespace cut2edl::nal
