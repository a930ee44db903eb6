#include "nal/hevc/value_text.h"

#include <array>

#include "mpeg/value_table.h"

namespace cut2edl::hevc {

namespace {

using value_table::Row;

constexpr std::array<Row, 11> profiles{{{1, "Main"},
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

std::string profile_idc_text(unsigned profile_idc) { return value_table::text_of(profiles, profile_idc); }

}  // namespace cut2edl::hevc
