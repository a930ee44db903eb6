#include "descriptors/multiplex_buffer_utilisation_descriptor.h"

namespace cut2edl {

void multiplex_buffer_utilisation_descriptor::read_body(BoundedReader& body) {
    body.read(bound_valid_flag, 1);
    body.read(LTW_offset_lower_bound, 15);
    body.read(reserved, 1);
    body.read(LTW_offset_upper_bound, 15);
}

void multiplex_buffer_utilisation_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Bound Valid: %s", yes_no(bound_valid_flag.value));
    print_line(sink, "Lower Bound: %d", LTW_offset_lower_bound.value);
    print_line(sink, "Upper Bound: %d", LTW_offset_upper_bound.value);
}

}  // namespace cut2edl
