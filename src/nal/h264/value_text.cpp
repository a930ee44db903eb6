#include "nal/h264/value_text.h"

#include <array>

#include "mpeg/value_table.h"

namespace cut2edl::h264 {

namespace {

using value_table::Row;
using value_table::text_of;

constexpr std::array<Row, 16> profiles{{{66, "Baseline"},
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

}  // namespace

std::string profile_idc_text(unsigned profile_idc) { return text_of(profiles, profile_idc); }

}  // namespace cut2edl::h264
