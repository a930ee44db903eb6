#include "mpeg/video_profile_text.h"

#include <array>

#include "mpeg/value_table.h"

namespace cut2edl {

namespace {

using value_table::Row;
using value_table::text_of;

constexpr std::array<Row, 16> h264_profiles{{{66, "Baseline"},
                                        {77, "Main"},
                                        {88, "Extended"},
                                        {100, "High"},
                                        {110, "High 10"},
                                        {122, "High 4:2:2"},
                                        {244, "High 4:4:4 Predictive"},
                                        {44, "CAVLC 4:4:4 Intra"},
                                        {83, "Scalable Baseline"},
                                        {86, "Scalable High"},
                                        {118, "Multiview High"},
                                        {128, "Stereo High"},
                                        {138, "Multiview Depth High"},
                                        {139, "Enhanced Multiview Depth High"},
                                        {134, "MFC High"},
                                        {135, "MFC Depth High"}}};

constexpr std::array<Row, 11> hevc_profiles{{{1, "Main"},
                                       {2, "Main 10"},
                                       {3, "Main Still Picture"},
                                       {4, "Format range extensions"},
                                       {5, "High throughput"},
                                       {6, "Multiview Main"},
                                       {7, "Scalable Main"},
                                       {8, "3D Main"},
                                       {9, "Screen content coding extensions"},
                                       {10, "Scalable format range extensions"},
                                       {11, "High throughput screen content coding extensions"}}};

}  // namespace

std::string h264_profile_idc_text(unsigned profile_idc) { return text_of(h264_profiles, profile_idc); }
std::string hevc_profile_idc_text(unsigned profile_idc) { return text_of(hevc_profiles, profile_idc); }

void print_constraint_set_flags(const LineSink& sink, std::initializer_list<unsigned> flags) {
    int number = 0;
    for (const unsigned flag : flags) print_line(sink, "constraint_set%d_flag: %s", number++, yes_no(flag != 0));
}

}  // namespace cut2edl
