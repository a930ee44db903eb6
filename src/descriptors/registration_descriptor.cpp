#include "descriptors/registration_descriptor.h"

#include "descriptors/descriptor_bodies.h"

namespace cut2edl {

void registration_descriptor::read_body(BoundedReader& body) {
    read_identifier_with_bytes(body, format_identifier, additional_identification_info);
}

void registration_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Format Identifier: 0x%08X", format_identifier.value);
    print_byte_list(sink, "Additional Identification Info: ", additional_identification_info.value,
                    ByteSpacing::after);
}

}  // namespace cut2edl
