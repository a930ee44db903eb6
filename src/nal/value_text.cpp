#include "nal/value_text.h"

#include <array>

#include "mpeg/value_table.h"

namespace cut2edl::nal {

namespace {

using value_table::Row;
using value_table::text_of;

constexpr std::array<Row, 4> chroma_formats{{{0, "monochrome"}, {1, "4:2:0"}, {2, "4:2:2"}, {3, "4:4:4"}}};

constexpr std::array<Row, 18> aspect_ratios{{{0, "Unspecified"},
                                             {1, "1:1"},
                                             {2, "12:11"},
                                             {3, "10:11"},
                                             {4, "16:11"},
                                             {5, "40:33"},
                                             {6, "24:11"},
                                             {7, "20:11"},
                                             {8, "32:11"},
                                             {9, "80:33"},
                                             {10, "18:11"},
                                             {11, "15:11"},
                                             {12, "64:33"},
                                             {13, "160:99"},
                                             {14, "4:3"},
                                             {15, "3:2"},
                                             {16, "2:1"},
                                             {255, "Extended_SAR"}}};

constexpr std::array<Row, 6> video_formats{
    {{0, "Component"}, {1, "PAL"}, {2, "NTSC"}, {3, "SECAM"}, {4, "MAC"}, {5, "Unspecified video format"}}};

}  // namespace

std::string chroma_format_idc_text(unsigned chroma_format_idc) { return text_of(chroma_formats, chroma_format_idc); }
std::string aspect_ratio_idc_text(unsigned aspect_ratio_idc) { return text_of(aspect_ratios, aspect_ratio_idc); }
std::string video_format_text(unsigned video_format) { return text_of(video_formats, video_format); }

}  // namespace cut2edl::nal
