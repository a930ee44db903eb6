#include "descriptors/HEVC_video_descriptor.h"

#include <cinttypes>
#include <string>

#include "mpeg/video_profile_text.h"

namespace cut2edl {

namespace {

// Profiles are named only in profile space 0; the other spaces are left to
// future use, where the same numbers may mean something else.
std::string hevc_profile_text(unsigned profile_space, unsigned profile_idc) {
    return profile_space == 0 ? hevc_profile_idc_text(profile_idc) : "unknown";
}

// level_idc is thirty times the level, so whole levels show no decimal; the
// tenths are worked out in integers, free of the locale's decimal point.
std::string hevc_level_text(unsigned level_idc) {
    if (level_idc % 30 == 0) return format_text("%u", level_idc / 30);
    const unsigned tenths = (level_idc * 10 + 15) / 30;
    return format_text("%u.%u", tenths / 10, tenths % 10);
}

const char* hdr_wcg_text(unsigned HDR_WCG_idc) {
    switch (HDR_WCG_idc) {
        case 0: return "SDR";
        case 1: return "WCG only";
        case 2: return "HDR and WCG";
        default: return "no indication";
    }
}

}  // namespace

void HEVC_video_descriptor::read_body(BoundedReader& body) {
    body.read(profile_space, 2);
    body.read(tier_flag, 1);
    body.read(profile_idc, 5);
    body.read(profile_compatibility_indication, 32);
    body.read(progressive_source_flag, 1);
    body.read(interlaced_source_flag, 1);
    body.read(non_packed_constraint_flag, 1);
    body.read(frame_only_constraint_flag, 1);
    body.read(copied_44bits, 44);
    body.read(level_idc, 8);
    body.read(temporal_layer_subset_flag, 1);
    body.read(HEVC_still_present_flag, 1);
    body.read(HEVC_24hr_picture_present_flag, 1);
    body.read(sub_pic_hrd_params_not_present_flag, 1);
    body.read(reserved_1, 2);
    body.read(HDR_WCG_idc, 2);
    if (!temporal_layer_subset_flag.value) return;
    body.read(temporal_id_min, 3);
    body.read(reserved_2, 5);
    body.read(temporal_id_max, 3);
    body.read(reserved_3, 5);
}

void HEVC_video_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "profile_space: %u", profile_space.value);
    print_line(sink, "tier_flag: %u (%s)", tier_flag.value, tier_flag.value ? "High" : "Main");
    print_line(sink, "profile_idc: %u (%s)", profile_idc.value,
               hevc_profile_text(profile_space.value, profile_idc.value).c_str());
    print_line(sink, "profile_compatibility_indication: 0x%08X", profile_compatibility_indication.value);
    print_line(sink, "progressive_source_flag: %s", yes_no(progressive_source_flag.value));
    print_line(sink, "interlaced_source_flag: %s", yes_no(interlaced_source_flag.value));
    print_line(sink, "non_packed_constraint_flag: %s", yes_no(non_packed_constraint_flag.value));
    print_line(sink, "frame_only_constraint_flag: %s", yes_no(frame_only_constraint_flag.value));
    print_line(sink, "copied_44bits: 0x%011" PRIX64, copied_44bits.value);
    print_line(sink, "level_idc: %u (%s)", level_idc.value, hevc_level_text(level_idc.value).c_str());
    print_line(sink, "temporal_layer_subset_flag: %s", yes_no(temporal_layer_subset_flag.value));
    print_line(sink, "HEVC_still_present_flag: %s", yes_no(HEVC_still_present_flag.value));
    print_line(sink, "HEVC_24hr_picture_present_flag: %s", yes_no(HEVC_24hr_picture_present_flag.value));
    print_line(sink, "sub_pic_hrd_params_not_present_flag: %s", yes_no(sub_pic_hrd_params_not_present_flag.value));
    print_line(sink, "HDR_WCG_idc: %u (%s)", HDR_WCG_idc.value, hdr_wcg_text(HDR_WCG_idc.value));
    if (temporal_layer_subset_flag.value) {
        print_line(sink, "temporal_id_min: %u", temporal_id_min.value);
        print_line(sink, "temporal_id_max: %u", temporal_id_max.value);
    }
}

}  // namespace cut2edl
