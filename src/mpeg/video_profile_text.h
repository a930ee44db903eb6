#pragma once

#include <string>

// The names of the H.264 and HEVC profiles, shown beside profile_idc both in
// the parameter sets and in the descriptors that announce a stream's coding.
namespace cut2edl {

std::string h264_profile_idc_text(unsigned profile_idc);
std::string hevc_profile_idc_text(unsigned profile_idc);

}  // namespace cut2edl
