#include "descriptors/component_descriptor.h"

#include "descriptors/descriptor_lines.h"
#include "mpeg/value_text.h"

namespace cut2edl {

void component_descriptor::read_body(BoundedReader& body) {
    body.read(reserved_future_use, 4);
    body.read(stream_content, 4);
    body.read(component_type, 8);
    body.read(component_tag, 8);
    body.read(ISO_639_language_code, 24);
    read_text(body, text, body.remaining());
}

void component_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Stream Content: 0x%02X", stream_content.value);
    print_line(sink, "Component Type: 0x%02X (%s)", component_type.value,
               component_text(stream_content.value, component_type.value).c_str());
    print_line(sink, "Component Tag: 0x%02X", component_tag.value);
    print_code_line(sink, "Language: ", ISO_639_language_code.value);
    print_line(sink, "Text: %s", text.value.c_str());
}

}  // namespace cut2edl
