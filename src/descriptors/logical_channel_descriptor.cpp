#include "descriptors/logical_channel_descriptor.h"

namespace cut2edl {

void logical_channel_descriptor_item::read(BoundedReader& reader) {
    reader.read(service_id, 16);
    reader.read(visible_service_flag, 1);
    reader.read(reserved, 5);
    reader.read(logical_channel_number, 10);
}

void logical_channel_descriptor_item::render(const LineSink& sink) const {
    print_line(sink, "Service ID: %d (0x%02X)", service_id.value, service_id.value);
    print_line(sink, "Logical Channel Number: %d", logical_channel_number.value);
}

}  // namespace cut2edl
