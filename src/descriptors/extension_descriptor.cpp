#include "descriptors/extension_descriptor.h"

namespace cut2edl {

namespace {

const char* extension_name(unsigned descriptor_tag_extension) {
    switch (descriptor_tag_extension) {
        case 0x00: return "image_icon_descriptor";
        case 0x01: return "cpcm_delivery_signalling_descriptor";
        case 0x02: return "CP_descriptor";
        case 0x03: return "CP_identifier_descriptor";
        case 0x04: return "T2_delivery_system_descriptor";
        case 0x05: return "SH_delivery_system_descriptor";
        case 0x06: return "supplementary_audio_descriptor";
        case 0x07: return "network_change_notify_descriptor";
        case 0x08: return "message_descriptor";
        case 0x09: return "target_region_descriptor";
        case 0x0A: return "target_region_name_descriptor";
        case 0x0B: return "service_relocated_descriptor";
        case 0x0C: return "XAIT_PID_descriptor";
        case 0x0D: return "C2_delivery_system_descriptor";
        case 0x0E: return "DTS-HD_audio_stream_descriptor";
        case 0x0F: return "DTS_Neural_descriptor";
        case 0x10: return "video_depth_range_descriptor";
        case 0x11: return "T2MI_descriptor";
        case 0x13: return "URI_linkage_descriptor";
        case 0x14: return "CI_ancillary_data_descriptor";
        case 0x15: return "AC-4_descriptor";
        case 0x16: return "C2_bundle_delivery_system_descriptor";
        case 0x17: return "S2X_satellite_delivery_system_descriptor";
        case 0x18: return "protection_message_descriptor";
        case 0x19: return "audio_preselection_descriptor";
        case 0x20: return "TTML_subtitling_descriptor";
        case 0x21: return "DTS-UHD_descriptor";
        case 0x22: return "service_prominence_descriptor";
        default: return descriptor_tag_extension >= 0x80 ? "user defined" : "reserved for future use";
    }
}

}  // namespace

void extension_descriptor::read_body(BoundedReader& body) {
    body.read(descriptor_tag_extension, 8);
    read_byte_run(body, selector_byte, body.remaining());
}

void extension_descriptor::render(const LineSink& sink, const ChildSink&) const {
    // An empty body has no extension tag, and 0 would name the image icon.
    if (descriptor_tag_extension.span == 0) return;
    print_line(sink, "descriptor_tag_extension: 0x%02X (%s)", descriptor_tag_extension.value,
               extension_name(descriptor_tag_extension.value));
    if (!selector_byte.value.empty()) print_byte_list(sink, "selector_byte:", selector_byte.value);
}

}  // namespace cut2edl
