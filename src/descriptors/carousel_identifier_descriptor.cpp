#include "descriptors/carousel_identifier_descriptor.h"

namespace cut2edl {

namespace {

constexpr unsigned standard_boot = 0;
constexpr unsigned enhanced_boot = 1;

void print_bytes_if_any(const LineSink& sink, const char* label, const ByteRun& bytes) {
    if (!bytes.value.empty()) print_byte_list(sink, label, bytes.value, ByteSpacing::after);
}

}  // namespace

void carousel_identifier_descriptor::read_body(BoundedReader& body) {
    body.read(carousel_id, 32);
    body.read(format_id, 8);
    if (format_id.value == standard_boot) read_byte_run(body, private_data_byte, body.remaining());
    if (format_id.value == enhanced_boot) read_enhanced_boot(body);
}

void carousel_identifier_descriptor::read_enhanced_boot(BoundedReader& body) {
    body.read(module_version, 8);
    body.read(module_id, 16);
    body.read(block_size, 16);
    body.read(module_size, 32);
    body.read(compression_method, 8);
    body.read(original_size, 32);
    body.read(timeout, 8);
    body.read(object_key_length, 8);
    read_byte_run(body, object_key_data, object_key_length.value);
    read_byte_run(body, private_data_byte, body.remaining());
}

void carousel_identifier_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Carousel ID: 0x%04X (%u)", carousel_id.value, carousel_id.value);
    print_line(sink, "Format ID: 0x%02X (%s)", format_id.value,
               format_id.value == standard_boot ? "Standard Boot" : "Enhanced Boot");
    if (format_id.value == enhanced_boot) render_enhanced_boot(sink);
    print_bytes_if_any(sink, "Private Data Bytes: ", private_data_byte);
}

void carousel_identifier_descriptor::render_enhanced_boot(const LineSink& sink) const {
    print_line(sink, "Module Version: 0x%04X", module_version.value);
    print_line(sink, "Module ID: 0x%02X", module_id.value);
    print_line(sink, "Block Size: %d bytes", block_size.value);
    print_line(sink, "Module Size: %u bytes", module_size.value);
    print_line(sink, "Compression Method: 0x%02X (see RFC 1950)", compression_method.value);
    print_line(sink, "Original Size: %u bytes", original_size.value);
    print_line(sink, "Time Out: %d seconds", timeout.value);
    print_bytes_if_any(sink, "Object Key Data: ", object_key_data);
}

}  // namespace cut2edl
