#include "descriptors/conditional_access_descriptor.h"

namespace cut2edl {

void conditional_access_descriptor::read_body(BoundedReader& body) {
    body.read(CA_system_ID, 16);
    body.read(reserved, 3);
    body.read(CA_PID, 13);
    read_byte_run(body, private_data_byte, body.remaining());
}

void conditional_access_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "CA System ID: 0x%02X", CA_system_ID.value);
    print_line(sink, "CA_PID: 0x%04X (%d)", CA_PID.value, CA_PID.value);
    print_byte_list(sink, "Private Data Bytes: ", private_data_byte.value, ByteSpacing::after);
}

}  // namespace cut2edl
