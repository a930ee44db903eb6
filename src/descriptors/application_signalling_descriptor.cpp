#include "descriptors/application_signalling_descriptor.h"

namespace cut2edl {

void application_signalling_descriptor_item::read(BoundedReader& reader) {
    reader.read(application_type, 16);
    reader.read(reserved_future_use, 3);
    reader.read(AIT_version_number, 5);
}

void application_signalling_descriptor_item::render(const LineSink& sink) const {
    print_line(sink, "Application Type: 0x%04X", application_type.value);
    print_line(sink, "AIT Version Number: %d", AIT_version_number.value);
}

}  // namespace cut2edl
