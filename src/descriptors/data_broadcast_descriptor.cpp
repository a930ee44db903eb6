#include "descriptors/data_broadcast_descriptor.h"

#include "descriptors/descriptor_lines.h"

namespace cut2edl {

void data_broadcast_descriptor::read_body(BoundedReader& body) {
    body.read(data_broadcast_id, 16);
    body.read(component_tag, 8);
    body.read(selector_length, 8);
    read_byte_run(body, selector_byte, selector_length.value);
    body.read(ISO_639_language_code, 24);
    body.read(text_length, 8);
    read_text(body, text, text_length.value);
}

void data_broadcast_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "data_broadcast_id: 0x%04X", data_broadcast_id.value);
    print_line(sink, "component_tag: 0x%02X", component_tag.value);
    print_byte_list(sink, "selector: ", selector_byte.value, ByteSpacing::after);
    print_code_line(sink, "ISO_639_language: ", ISO_639_language_code.value);
    print_line(sink, "text: %s", text.value.c_str());
}

}  // namespace cut2edl
