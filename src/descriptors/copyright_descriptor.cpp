#include "descriptors/copyright_descriptor.h"

#include "descriptors/descriptor_bodies.h"

namespace cut2edl {

void copyright_descriptor::read_body(BoundedReader& body) {
    read_identifier_with_bytes(body, copyright_identifier, additional_copyright_info);
}

void copyright_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Copyright Identifier: 0x%04X", copyright_identifier.value);
    print_byte_list(sink, "Additional Copyright Info: ", additional_copyright_info.value, ByteSpacing::after);
}

}  // namespace cut2edl
