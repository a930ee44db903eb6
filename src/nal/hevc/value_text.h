#pragma once

#include <string>

// The HEVC profile names that the parameter-set renderings show beside
// general_profile_idc and sub_layer_profile_idc; the tables HEVC shares with
// H.264 are in nal/value_text.h.
namespace cut2edl::hevc {

std::string profile_idc_text(unsigned profile_idc);

}  // namespace cut2edl::hevc
