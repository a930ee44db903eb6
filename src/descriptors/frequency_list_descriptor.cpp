#include "descriptors/frequency_list_descriptor.h"

#include "mpeg/value_text.h"

namespace cut2edl {

void frequency_list_descriptor_item::read(BoundedReader& reader) { reader.read(centre_frequency, 32); }

void frequency_list_descriptor_item::render(const LineSink& sink) const {
    print_line(sink, "centre_frequency: %.3f MHz", centre_frequency.value / 100000.0);
}

void frequency_list_descriptor::read_body(BoundedReader& body) {
    body.read(reserved_future_use, 6);
    body.read(coding_type, 2);
    first_item = parse_items<frequency_list_descriptor_item>(body, body.remaining());
}

void frequency_list_descriptor::render(const LineSink& sink, const ChildSink& children) const {
    print_line(sink, "Coding Type: %s", coding_type_text(coding_type.value).c_str());
    dump_if_present(first_item, children(sink));
}

}  // namespace cut2edl
