#include "descriptors/descriptor_bodies.h"

namespace cut2edl {

void read_identifier_with_bytes(BoundedReader& body, Field<std::uint32_t>& identifier, ByteRun& additional_bytes) {
    body.read(identifier, 32);
    read_byte_run(body, additional_bytes, body.remaining());
}

void read_if_flagged(BoundedReader& body, const Field<std::uint8_t>& flag, Field<std::uint8_t>& field) {
    if (flag.value) body.read(field, 8);
}

void print_if_flagged(const LineSink& sink, const Field<std::uint8_t>& flag, const char* label,
                      const Field<std::uint8_t>& field) {
    if (flag.value) print_line(sink, "%s: 0x%02X", label, field.value);
}

void print_additional_info(const LineSink& sink, const ByteRun& additional_info) {
    if (!additional_info.value.empty()) {
        print_byte_list(sink, "additional_info: ", additional_info.value, ByteSpacing::around);
    }
}

}  // namespace cut2edl
