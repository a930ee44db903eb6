#pragma once

#include <cstdint>

namespace cut2edl {

// The four bytes that open every transport packet. The demuxer keeps one and
// parses every packet into it.
class TSPacketHeader {
public:
    static constexpr int size = 4;

    // Parses the header whose sync byte is at `data`; `position` is not moved
    // (the header keeps no spans). Returns data + 4, or nullptr, with every
    // field 0, when fewer than four bytes are given.
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position);

    bool has_adaptation_field() const { return (adaptation_field_control & 2u) != 0; }
    bool has_payload() const { return (adaptation_field_control & 1u) != 0; }

    std::uint32_t sync_byte : 8 = 0;
    std::uint32_t transport_error_indicator : 1 = 0;
    std::uint32_t payload_unit_start_indicator : 1 = 0;
    std::uint32_t transport_priority : 1 = 0;
    std::uint32_t PID : 13 = 0;
    std::uint32_t transport_scrambling_control : 2 = 0;
    std::uint32_t adaptation_field_control : 2 = 0;
    std::uint32_t continuity_counter : 4 = 0;
};

// Where the payload of `packet` (188 bytes, its header parsed into `header`)
// begins, behind its adaptation field; -1 when it has none, or when the
// adaptation field claims the whole packet or more.
int payload_offset(const std::uint8_t* packet, const TSPacketHeader& header);

}  // namespace cut2edl
