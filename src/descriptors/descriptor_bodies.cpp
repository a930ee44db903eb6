#include "descriptors/descriptor_bodies.h"

namespace cut2edl {

void read_identifier_with_bytes(BoundedReader& body, Field<std::uint32_t>& identifier, ByteRun& additional_bytes) {
    body.read(identifier, 32);
    read_byte_run(body, additional_bytes, body.remaining());
}

void print_additional_info(const LineSink& sink, const ByteRun& additional_info) {
    if (!additional_info.value.empty()) {
        print_byte_list(sink, "additional_info: ", additional_info.value, ByteSpacing::around);
    }
}

}  // namespace cut2edl
