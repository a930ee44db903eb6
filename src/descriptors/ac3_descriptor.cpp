#include "descriptors/ac3_descriptor.h"

#include "descriptors/descriptor_bodies.h"
#include "mpeg/value_text.h"

namespace cut2edl {

void ac3_descriptor::read_body(BoundedReader& body) {
    body.read(component_type_flag, 1);
    body.read(bsid_flag, 1);
    body.read(mainid_flag, 1);
    body.read(asvc_flag, 1);
    body.read(reserved, 4);
    if (component_type_flag.value) body.read(component_type, 8);
    if (bsid_flag.value) body.read(bsid, 8);
    if (mainid_flag.value) body.read(mainid, 8);
    if (asvc_flag.value) body.read(asvc, 8);
    read_byte_run(body, additional_info, body.remaining());
}

void ac3_descriptor::render(const LineSink& sink, const ChildSink&) const {
    if (component_type_flag.value) {
        print_line(sink, "AC-3_type: %d (%s)", component_type.value,
                   ac3_component_type_text(component_type.value).c_str());
    }
    if (bsid_flag.value) print_line(sink, "bsid: 0x%02X", bsid.value);
    if (mainid_flag.value) print_line(sink, "mainid: 0x%02X", mainid.value);
    if (asvc_flag.value) print_line(sink, "asvc: 0x%02X", asvc.value);
    print_additional_info(sink, additional_info);
}

}  // namespace cut2edl
