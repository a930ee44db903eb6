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

}  // namespace cut2edl
