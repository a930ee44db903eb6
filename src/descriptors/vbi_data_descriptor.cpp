#include "descriptors/vbi_data_descriptor.h"

namespace cut2edl {

namespace {

// The data services whose descriptor bytes each name one line.
bool has_line_items(unsigned data_service_id) {
    switch (data_service_id) {
        case 1: case 2: case 4: case 5: case 6: case 7:
            return true;
        default:
            return false;
    }
}

}  // namespace

void vbi_data_service_item::read(BoundedReader& reader) {
    reader.read(reserved, 2);
    reader.read(field_parity, 1);
    reader.read(line_offset, 5);
}

void vbi_data_service_item::render(const LineSink& sink) const {
    print_line(sink, "Field Parity: 0x%02X (%s)", field_parity.value, field_parity.value ? "odd" : "even");
    print_line(sink, "Line Offset: %d", line_offset.value);
}

void vbi_data_service::read(BoundedReader& reader) {
    reader.read(data_service_id, 8);
    reader.read(data_service_descriptor_length, 8);
    if (has_line_items(data_service_id.value)) {
        first_item = parse_items<vbi_data_service_item>(reader, data_service_descriptor_length.value);
    } else {
        read_byte_run(reader, reserved_bytes, data_service_descriptor_length.value);
    }
}

void vbi_data_service::render(const LineSink& sink) const {
    print_line(sink, "Data Service ID: 0x%02X", data_service_id.value);
    dump_if_present(first_item, sink);
}

}  // namespace cut2edl
