#include "descriptors/extended_event_descriptor.h"

#include "descriptors/descriptor_lines.h"

namespace cut2edl {

void extended_event_item::read(BoundedReader& reader) {
    reader.read(item_description_length, 8);
    read_text(reader, item_description, item_description_length.value);
    reader.read(item_length, 8);
    read_text(reader, item, item_length.value);
}

void extended_event_item::render(const LineSink& sink) const {
    print_line(sink, "Item Description: %s", item_description.value.c_str());
    print_line(sink, "Item: %s", item.value.c_str());
}

void extended_event_descriptor::read_body(BoundedReader& body) {
    body.read(descriptor_number, 4);
    body.read(last_descriptor_number, 4);
    body.read(ISO_639_language_code, 24);
    body.read(length_of_items, 8);
    first_item = parse_items<extended_event_item>(body, length_of_items.value);
    body.read(text_length, 8);
    read_text(body, text, text_length.value);
}

void extended_event_descriptor::render(const LineSink& sink, const ChildSink& children) const {
    print_code_line(sink, "Language: ", ISO_639_language_code.value);
    dump_if_present(first_item, children(sink));
    if (text_length.value > 0) print_line(sink, "Text: %s", text.value.c_str());
}

}  // namespace cut2edl
