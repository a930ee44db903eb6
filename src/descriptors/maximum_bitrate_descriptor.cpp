#include "descriptors/maximum_bitrate_descriptor.h"

namespace cut2edl {

namespace {

constexpr unsigned bytes_per_second_per_unit = 50;

}  // namespace

void maximum_bitrate_descriptor::read_body(BoundedReader& body) {
    body.read(reserved, 2);
    body.read(maximum_bitrate, 22);
}

void maximum_bitrate_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Maximum Bitrate: %u bytes/sec", maximum_bitrate.value * bytes_per_second_per_unit);
}

}  // namespace cut2edl
