#pragma once

#include <string>

// The meanings that renderings show beside coded values. Every lookup takes
// the field as read (unsigned) and answers "ERROR: not defined!" for a value
// that no row of its table holds.
namespace cut2edl {

// Video sequence, picture and extension headers.
std::string frame_rate_text(unsigned frame_rate_code);
std::string aspect_ratio_text(unsigned aspect_ratio_information);
std::string chroma_format_text(unsigned chroma_format);
std::string video_format_text(unsigned video_format);
std::string colour_primaries_text(unsigned colour_primaries);
std::string transfer_characteristics_text(unsigned transfer_characteristics);
std::string matrix_coefficients_text(unsigned matrix_coefficients);
std::string picture_coding_type_text(unsigned picture_coding_type);
std::string scalable_mode_text(unsigned scalable_mode);
std::string intra_dc_precision_text(unsigned intra_dc_precision);
std::string picture_structure_text(unsigned picture_structure);
std::string field_sequence_text(unsigned field_sequence);
// Profile (bits 6-4) and level (bits 3-0), e.g. "Main Profile @ Main Level";
// the escape bit 7 is ignored.
std::string profile_and_level_text(unsigned profile_and_level_indication);

// PES headers. Audio and video stream ids end in their stream number.
std::string stream_id_text(unsigned stream_id);
std::string scrambling_control_text(unsigned PES_scrambling_control);
std::string trick_mode_text(unsigned trick_mode_control);
std::string field_id_text(unsigned field_id);
std::string frequency_truncation_text(unsigned frequency_truncation);

// Program map table.
std::string stream_type_text(unsigned stream_type);

// Descriptors.
std::string service_type_text(unsigned service_type);
std::string teletext_type_text(unsigned teletext_type);
std::string audio_layer_text(unsigned layer);
std::string audio_type_text(unsigned audio_type);
std::string alignment_type_text(unsigned alignment_type);
std::string parental_rating_text(unsigned rating);
std::string linkage_type_text(unsigned linkage_type);
std::string hand_over_type_text(unsigned hand_over_type);
std::string origin_type_text(unsigned origin_type);
std::string country_region_text(unsigned country_region_id);
std::string coding_type_text(unsigned coding_type);
std::string bandwidth_text(unsigned bandwidth);
std::string constellation_text(unsigned constellation);
std::string hierarchy_information_text(unsigned hierarchy_information);
std::string code_rate_text(unsigned code_rate);
std::string guard_interval_text(unsigned guard_interval);
std::string transmission_mode_text(unsigned transmission_mode);
std::string running_status_text(unsigned running_status);
std::string ac3_component_type_text(unsigned component_type);
std::string component_text(unsigned stream_content, unsigned component_type);
std::string content_text(unsigned content_nibble_level_1, unsigned content_nibble_level_2);

// "%A, %d %B %Y" of a 16-bit Modified Julian Date in English, the same on every
// machine whatever its time zone, e.g. 49273 -> "Wednesday, 13 October 1993".
std::string mjd_date_text(unsigned mjd);

}  // namespace cut2edl
