#include "descriptors/user_private_data_descriptor.h"

namespace cut2edl {

void user_private_data_descriptor::read_body(BoundedReader& body) {
    read_byte_run(body, data_byte, body.remaining());
}

void user_private_data_descriptor::render(const LineSink& sink, const ChildSink&) const {
    if (descriptor_length.value > 0) print_byte_list(sink, "Data Bytes:", data_byte.value, ByteSpacing::before);
}

}  // namespace cut2edl
