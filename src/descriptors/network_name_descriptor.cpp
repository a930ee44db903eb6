#include "descriptors/network_name_descriptor.h"

namespace cut2edl {

void network_name_descriptor::read_body(BoundedReader& body) { read_text(body, network_name, body.remaining()); }

void network_name_descriptor::render(const LineSink& sink, const ChildSink&) const {
    sink("Network Name Descriptor");
    print_line(sink, "Name: %s", network_name.value.c_str());
}

}  // namespace cut2edl
