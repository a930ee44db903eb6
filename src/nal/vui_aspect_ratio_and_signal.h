#pragma once

#include <cstdint>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"

namespace cut2edl::nal {

// The head of vui_parameters() that H.264 and HEVC share: sample aspect
// ratio, overscan, video signal type with its colour description, and the
// chroma sample locations. Each codec's VUI class derives from it.
class vui_aspect_ratio_and_signal {
public:
    // Reads at the reader's cursor, within the parameter set's bits.
    void parse_aspect_ratio_and_signal(BoundedReader& reader);
    // H.264 names the last colour field matrix_coefficients, HEVC matrix_coeffs.
    void dump_aspect_ratio_and_signal(const LineSink& sink, const char* matrix_coefficients_name) const;

    Field<std::uint8_t> aspect_ratio_info_present_flag;
    Field<std::uint8_t> aspect_ratio_idc;
    Field<std::uint16_t> sar_width;
    Field<std::uint16_t> sar_height;
    Field<std::uint8_t> overscan_info_present_flag;
    Field<std::uint8_t> overscan_appropriate_flag;
    Field<std::uint8_t> video_signal_type_present_flag;
    Field<std::uint8_t> video_format;
    Field<std::uint8_t> video_full_range_flag;
    Field<std::uint8_t> colour_description_present_flag;
    Field<std::uint8_t> colour_primaries;
    Field<std::uint8_t> transfer_characteristics;
    Field<std::uint8_t> matrix_coefficients;  // HEVC's matrix_coeffs
    Field<std::uint8_t> chroma_loc_info_present_flag;
    Field<std::uint32_t> chroma_sample_loc_type_top_field;
    Field<std::uint32_t> chroma_sample_loc_type_bottom_field;
};

}  // namespace cut2edl::nal
