#include "descriptors/enhanced_AC3_descriptor.h"

#include <string>

#include "descriptors/descriptor_bodies.h"
#include "mpeg/value_text.h"

namespace cut2edl {

namespace {

// The AC-3 component type table keeps its top bit for telling Enhanced AC-3
// from AC-3, which an AC-3 descriptor leaves clear; in this descriptor it is
// normally set, and the rest of the byte is read as in the AC-3 table.
std::string enhanced_component_type_text(unsigned component_type) {
    const char* coding = (component_type & 0x80) != 0 ? "Enhanced AC-3" : "AC-3";
    return std::string(coding) + ", " + ac3_component_type_text(component_type & 0x7F);
}

}  // namespace

void enhanced_AC3_descriptor::read_body(BoundedReader& body) {
    body.read(component_type_flag, 1);
    body.read(bsid_flag, 1);
    body.read(mainid_flag, 1);
    body.read(asvc_flag, 1);
    body.read(mixinfoexists, 1);
    body.read(substream1_flag, 1);
    body.read(substream2_flag, 1);
    body.read(substream3_flag, 1);
    read_if_flagged(body, component_type_flag, component_type);
    read_if_flagged(body, bsid_flag, bsid);
    read_if_flagged(body, mainid_flag, mainid);
    read_if_flagged(body, asvc_flag, asvc);
    read_if_flagged(body, substream1_flag, substream1);
    read_if_flagged(body, substream2_flag, substream2);
    read_if_flagged(body, substream3_flag, substream3);
    read_byte_run(body, additional_info, body.remaining());
}

void enhanced_AC3_descriptor::render(const LineSink& sink, const ChildSink&) const {
    if (component_type_flag.value) {
        print_line(sink, "component_type: 0x%02X (%s)", component_type.value,
                   enhanced_component_type_text(component_type.value).c_str());
    }
    print_if_flagged(sink, bsid_flag, "bsid", bsid);
    print_if_flagged(sink, mainid_flag, "mainid", mainid);
    print_if_flagged(sink, asvc_flag, "asvc", asvc);
    print_line(sink, "mixinfoexists: %s", yes_no(mixinfoexists.value));
    print_if_flagged(sink, substream1_flag, "substream1", substream1);
    print_if_flagged(sink, substream2_flag, "substream2", substream2);
    print_if_flagged(sink, substream3_flag, "substream3", substream3);
    print_additional_info(sink, additional_info);
}

}  // namespace cut2edl
