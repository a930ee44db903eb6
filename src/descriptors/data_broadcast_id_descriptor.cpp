#include "descriptors/data_broadcast_id_descriptor.h"

namespace cut2edl {

void data_broadcast_id_descriptor::read_body(BoundedReader& body) {
    body.read(data_broadcast_id, 16);
    read_byte_run(body, id_selector_byte, body.remaining());
}

void data_broadcast_id_descriptor::render(const LineSink& sink, const ChildSink&) const {
    sink("Data Broadcast ID Descriptor");
    print_line(sink, "Data Broadcast ID: 0x%04X", data_broadcast_id.value);
    print_byte_list(sink, "ID Selector Bytes: ", id_selector_byte.value, ByteSpacing::after);
}

}  // namespace cut2edl
