#pragma once

#include <string>

// The meanings that the parameter-set renderings of every NAL-unit codec show
// beside coded values; "ERROR: not defined!" for a value that the tables do
// not hold. H.264 and HEVC share the VUI's tables and the chroma formats.
namespace cut2edl::nal {

std::string chroma_format_idc_text(unsigned chroma_format_idc);
// Table E-1: the sample aspect ratio, "Extended_SAR" for 255.
std::string aspect_ratio_idc_text(unsigned aspect_ratio_idc);
// Table E-2.
std::string video_format_text(unsigned video_format);

}  // namespace cut2edl::nal
