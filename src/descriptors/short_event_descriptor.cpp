#include "descriptors/short_event_descriptor.h"

#include "descriptors/descriptor_lines.h"

namespace cut2edl {

void short_event_descriptor::read_body(BoundedReader& body) {
    body.read(ISO_639_language_code, 24);
    body.read(event_name_length, 8);
    read_text(body, event_name, event_name_length.value);
    body.read(text_length, 8);
    read_text(body, text, text_length.value);
}

void short_event_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_code_line(sink, "Language: ", ISO_639_language_code.value);
    print_line(sink, "Event Name: %s", event_name.value.c_str());
    print_line(sink, "Text: %s", text.value.c_str());
}

}  // namespace cut2edl
