#include "descriptors/stream_identifier_descriptor.h"

#include "descriptors/descriptor_bodies.h"

namespace cut2edl {

void stream_identifier_descriptor::read_body(BoundedReader& body) { body.read(component_tag, 8); }

void stream_identifier_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "component_tag: %d (0x%02X)", component_tag.value, component_tag.value);
}

}  // namespace cut2edl
