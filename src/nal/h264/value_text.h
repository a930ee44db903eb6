#pragma once

#include <string>

// The H.264 profile names that the parameter-set rendering shows beside
// profile_idc; the tables H.264 shares with HEVC are in nal/value_text.h.
namespace cut2edl::h264 {

std::string profile_idc_text(unsigned profile_idc);

}  // namespace cut2edl::h264
