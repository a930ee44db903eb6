#include "descriptors/descriptor_bodies.h"

namespace cut2edl {

void read_identifier_with_bytes(BoundedReader& body, Field<std::uint32_t>& identifier, ByteRun& additional_bytes) {
    body.read(identifier, 32);
    read_byte_run(body, additional_bytes, body.remaining());
}

}  // namespace cut2edl
