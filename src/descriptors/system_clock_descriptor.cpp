#include "descriptors/system_clock_descriptor.h"

namespace cut2edl {

void system_clock_descriptor::read_body(BoundedReader& body) {
    body.read(external_clock_reference_indicator, 1);
    body.read(reserved_1, 1);
    body.read(clock_accuracy_integer, 6);
    body.read(clock_accuracy_exponent, 3);
    body.read(reserved_2, 5);
}

void system_clock_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "External Clock: %s", yes_no(external_clock_reference_indicator.value));
    print_line(sink, "Clock Accuracy: %d x 10^(%d) ppm", clock_accuracy_integer.value, clock_accuracy_exponent.value);
}

}  // namespace cut2edl
