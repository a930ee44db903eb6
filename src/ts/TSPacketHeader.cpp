#include "ts/TSPacketHeader.h"

namespace cut2edl {

const std::uint8_t* TSPacketHeader::parse(const std::uint8_t* data, int length, int*) {
    *this = TSPacketHeader{};
    if (length < size) return nullptr;
    sync_byte = data[0];
    transport_error_indicator = data[1] >> 7;
    payload_unit_start_indicator = (data[1] >> 6) & 1u;
    transport_priority = (data[1] >> 5) & 1u;
    PID = (data[1] & 0x1Fu) << 8 | data[2];
    transport_scrambling_control = data[3] >> 6;
    adaptation_field_control = (data[3] >> 4) & 3u;
    continuity_counter = data[3] & 0x0Fu;
    return data + size;
}

int payload_offset(const std::uint8_t* packet, const TSPacketHeader& header) {
    constexpr int packet_size = 188;
    constexpr int max_adaptation_field_length = 183;
    if (!header.has_payload()) return -1;
    if (!header.has_adaptation_field()) return TSPacketHeader::size;
    const int length = packet[TSPacketHeader::size];
    if (length > max_adaptation_field_length) return -1;
    const int offset = TSPacketHeader::size + 1 + length;
    return offset < packet_size ? offset : -1;
}

}  // namespace cut2edl
