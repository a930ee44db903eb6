#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace cut2edl {

// The longest header a program-stream unit can have: an MPEG-2 PES header
// with 255 bytes of header data after its nine fixed bytes.
constexpr std::size_t maxUnitHeaderLength = 9 + 255;

// 33-bit time stamp from the five bytes of a PTS or DTS field.
std::int64_t readTimeStamp(const std::uint8_t* field);

// Length of the pack header at the start of `bytes` (00 00 01 BA ...), in
// MPEG-2 or MPEG-1 layout; 5 for a layout that is neither. Empty when
// `bytes` ends inside the header.
std::optional<std::size_t> packHeaderLength(std::span<const std::uint8_t> bytes);

// PES_packet_length of the packet at the start of `bytes`; empty when fewer
// than the six bytes of the packet start are there.
std::optional<std::int64_t> pesPacketLength(std::span<const std::uint8_t> bytes);

// The header of a PES packet, in MPEG-2 syntax (byte 6 begins with '10') or
// MPEG-1 syntax (stuffing, STD buffer size, '0010'/'0011' time stamps).
struct PesPacketHeader {
    std::size_t length = 0;  // from the start code to the packet data
    std::int64_t packetLength = 0;
    std::optional<std::int64_t> pts;

    // Packet data after the header; never negative, so that a damaged
    // PES_packet_length cannot move the parser backwards.
    std::int64_t bodyLength() const;

    // Empty when `bytes` ends inside the header. Only ever needs
    // maxUnitHeaderLength bytes.
    static std::optional<PesPacketHeader> parse(std::span<const std::uint8_t> bytes);
};

}  // namespace cut2edl
