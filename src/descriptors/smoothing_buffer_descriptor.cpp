#include "descriptors/smoothing_buffer_descriptor.h"

namespace cut2edl {

namespace {

constexpr unsigned bits_per_second_per_unit = 400;

}  // namespace

void smoothing_buffer_descriptor::read_body(BoundedReader& body) {
    body.read(reserved_1, 2);
    body.read(sb_leak_rate, 22);
    body.read(reserved_2, 2);
    body.read(sb_size, 22);
}

void smoothing_buffer_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Leak Rate: %u bits/sec", sb_leak_rate.value * bits_per_second_per_unit);
    print_line(sink, "Buffer Size: %u bytes", sb_size.value);
}

}  // namespace cut2edl
