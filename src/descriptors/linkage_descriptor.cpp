#include "descriptors/linkage_descriptor.h"

#include "mpeg/value_text.h"

namespace cut2edl {

namespace {

constexpr unsigned mobile_hand_over_linkage = 8;

}  // namespace

bool linkage_descriptor::is_mobile_hand_over() const { return linkage_type.value == mobile_hand_over_linkage; }

// Hand-over to an identical, a local or an associated service.
bool linkage_descriptor::has_network_id() const {
    return is_mobile_hand_over() && hand_over_type.value >= 1 && hand_over_type.value <= 3;
}

bool linkage_descriptor::has_initial_service_id() const { return is_mobile_hand_over() && origin_type.value == 0; }

void linkage_descriptor::read_body(BoundedReader& body) {
    body.read(transport_stream_id, 16);
    body.read(original_network_id, 16);
    body.read(service_id, 16);
    body.read(linkage_type, 8);
    if (is_mobile_hand_over()) {
        body.read(hand_over_type, 4);
        body.read(reserved_future_use, 3);
        body.read(origin_type, 1);
        if (has_network_id()) body.read(network_id, 16);
        if (has_initial_service_id()) body.read(initial_service_id, 16);
    }
    read_byte_run(body, private_data_byte, body.remaining());
}

void linkage_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Transport Stream ID: 0x%04X", transport_stream_id.value);
    print_line(sink, "Original Network ID: 0x%04X", original_network_id.value);
    print_line(sink, "Service ID: 0x%04X", service_id.value);
    print_line(sink, "Linkage Type: 0x%02X (%s)", linkage_type.value, linkage_type_text(linkage_type.value).c_str());
    if (is_mobile_hand_over()) render_mobile_hand_over(sink);
    print_byte_list(sink, "Private Data Byte: ", private_data_byte.value, ByteSpacing::after);
}

void linkage_descriptor::render_mobile_hand_over(const LineSink& sink) const {
    print_line(sink, "Hand-over Type: 0x%02X (%s)", hand_over_type.value,
               hand_over_type_text(hand_over_type.value).c_str());
    print_line(sink, "Origin Type: 0x%02X (%s)", origin_type.value, origin_type_text(origin_type.value).c_str());
    if (has_network_id()) print_line(sink, "Network ID: 0x%04X", network_id.value);
    if (has_initial_service_id()) print_line(sink, "Initial Service ID: 0x%04X", initial_service_id.value);
}

}  // namespace cut2edl
