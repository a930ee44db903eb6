#pragma once

#include <initializer_list>
#include <string>

#include "mpeg/line_sink.h"

// The names of the H.264 and HEVC profiles, and the flags that go with them,
// as both the parameter sets and the descriptors that announce a stream's
// coding show them.
namespace cut2edl {

std::string h264_profile_idc_text(unsigned profile_idc);
std::string hevc_profile_idc_text(unsigned profile_idc);

// "constraint_set0_flag: Yes" and on, one line for each flag in order: the
// flags that follow an H.264 profile_idc wherever it is sent.
void print_constraint_set_flags(const LineSink& sink, std::initializer_list<unsigned> flags);

}  // namespace cut2edl
