#include "descriptors/AVC_video_descriptor.h"

#include <string>

#include "mpeg/video_profile_text.h"

namespace cut2edl {

namespace {

// level_idc is ten times the level, except for level 1b: 9 in the high
// profiles, and 11 with constraint_set3_flag in the three that predate them.
std::string avc_level_text(unsigned level_idc, unsigned profile_idc, bool constraint_set3) {
    const bool early_profile = profile_idc == 66 || profile_idc == 77 || profile_idc == 88;
    if (level_idc == 9 || (level_idc == 11 && constraint_set3 && early_profile)) return "1b";
    return format_text("%u.%u", level_idc / 10, level_idc % 10);
}

}  // namespace

void AVC_video_descriptor::read_body(BoundedReader& body) {
    body.read(profile_idc, 8);
    body.read(constraint_set0_flag, 1);
    body.read(constraint_set1_flag, 1);
    body.read(constraint_set2_flag, 1);
    body.read(constraint_set3_flag, 1);
    body.read(constraint_set4_flag, 1);
    body.read(constraint_set5_flag, 1);
    body.read(AVC_compatible_flags, 2);
    body.read(level_idc, 8);
    body.read(AVC_still_present, 1);
    body.read(AVC_24_hour_picture_flag, 1);
    body.read(Frame_Packing_SEI_not_present_flag, 1);
    body.read(reserved, 5);
}

void AVC_video_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "profile_idc: %u (%s)", profile_idc.value, h264_profile_idc_text(profile_idc.value).c_str());
    print_constraint_set_flags(sink, {constraint_set0_flag.value, constraint_set1_flag.value, constraint_set2_flag.value,
                                      constraint_set3_flag.value, constraint_set4_flag.value, constraint_set5_flag.value});
    print_line(sink, "AVC_compatible_flags: %u", AVC_compatible_flags.value);
    print_line(sink, "level_idc: %u (%s)", level_idc.value,
               avc_level_text(level_idc.value, profile_idc.value, constraint_set3_flag.value).c_str());
    print_line(sink, "AVC_still_present: %s", yes_no(AVC_still_present.value));
    print_line(sink, "AVC_24_hour_picture_flag: %s", yes_no(AVC_24_hour_picture_flag.value));
    print_line(sink, "Frame_Packing_SEI_not_present_flag: %s", yes_no(Frame_Packing_SEI_not_present_flag.value));
}

}  // namespace cut2edl
