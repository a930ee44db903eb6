#include "descriptors/country_availability_descriptor.h"

#include "descriptors/descriptor_lines.h"

namespace cut2edl {

void country_availability_descriptor_item::read(BoundedReader& reader) { read_text(reader, country_code, fixed_size); }

void country_availability_descriptor_item::render(const LineSink& sink) const {
    print_line(sink, "%s", country_code.value.c_str());
}

void country_availability_descriptor::read_body(BoundedReader& body) {
    body.read(country_availability_flag, 1);
    body.read(reserved_future_use, 7);
    first_item = parse_items<country_availability_descriptor_item>(body, body.remaining());
}

void country_availability_descriptor::render(const LineSink& sink, const ChildSink& children) const {
    print_line(sink, "service available: %s", lower_yes_no(country_availability_flag.value));
    dump_if_present(first_item, children(sink));
}

}  // namespace cut2edl
