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
    read_if_flagged(body, component_type_flag, component_type);
    read_if_flagged(body, bsid_flag, bsid);
    read_if_flagged(body, mainid_flag, mainid);
    read_if_flagged(body, asvc_flag, asvc);
    read_byte_run(body, additional_info, body.remaining());
}

void ac3_descriptor::render(const LineSink& sink, const ChildSink&) const {
    if (component_type_flag.value) {
        print_line(sink, "AC-3_type: %d (%s)", component_type.value,
                   ac3_component_type_text(component_type.value).c_str());
    }
    print_if_flagged(sink, bsid_flag, "bsid", bsid);
    print_if_flagged(sink, mainid_flag, "mainid", mainid);
    print_if_flagged(sink, asvc_flag, "asvc", asvc);
    print_additional_info(sink, additional_info);
}

}  // namespace cut2edl
