#include "descriptors/association_descriptor.h"

namespace cut2edl {

namespace {

constexpr unsigned use_with_transaction = 0;
constexpr unsigned use_without_selector = 1;
// association_tag, use and selector_byte_length.
constexpr int fixed_bytes = 5;

}  // namespace

void association_descriptor::read_body(BoundedReader& body) {
    body.read(association_tag, 16);
    body.read(use, 16);
    body.read(selector_byte_length, 8);
    if (use.value == use_with_transaction) {
        body.read(transaction_id, 32);
        body.read(timeout, 32);
    } else if (use.value != use_without_selector) {
        read_byte_run(body, selector_byte, selector_byte_length.value);
    }
    const int private_bytes = descriptor_length.value - selector_byte_length.value - fixed_bytes;
    read_byte_run(body, private_data_byte, private_bytes);
}

void association_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Association Tag: 0x%02X", association_tag.value);
    print_line(sink, "Use: 0x%04X", use.value);
    if (use.value == use_with_transaction) {
        print_line(sink, "Transaction ID: 0x%08X", transaction_id.value);
        print_line(sink, "Timeout: 0x%08X", timeout.value);
    } else if (use.value != use_without_selector) {
        print_byte_list(sink, "Selector: ", selector_byte.value, ByteSpacing::after);
    }
    if (!private_data_byte.value.empty()) print_byte_list(sink, "Private Data: ", private_data_byte.value, ByteSpacing::after);
}

}  // namespace cut2edl
