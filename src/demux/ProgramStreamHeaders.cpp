#include "demux/ProgramStreamHeaders.h"

#include <algorithm>

namespace cut2edl {

namespace {

constexpr std::size_t packetStartLength = 6;
constexpr std::size_t timeStampLength = 5;
constexpr std::size_t mpeg1MaxStuffing = 16;

bool isMpeg2Syntax(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }

std::optional<PesPacketHeader> parseMpeg2(std::span<const std::uint8_t> bytes, PesPacketHeader header) {
    constexpr std::size_t fixedLength = 9;
    if (bytes.size() < fixedLength) return std::nullopt;
    header.length = fixedLength + bytes[8];
    if (bytes.size() < header.length) return std::nullopt;
    const bool hasPts = (bytes[7] & 0x80) != 0;
    if (hasPts && header.length >= fixedLength + timeStampLength) header.pts = readTimeStamp(&bytes[fixedLength]);
    return header;
}

std::optional<PesPacketHeader> parseMpeg1(std::span<const std::uint8_t> bytes, PesPacketHeader header) {
    std::size_t at = packetStartLength;
    while (at < packetStartLength + mpeg1MaxStuffing && at < bytes.size() && bytes[at] == 0xFF) ++at;
    if (at >= bytes.size()) return std::nullopt;
    if ((bytes[at] & 0xC0) == 0x40) at += 2;  // STD_buffer_scale and size
    if (at >= bytes.size()) return std::nullopt;
    switch (bytes[at] >> 4) {
        case 0x2: header.length = at + timeStampLength; break;
        case 0x3: header.length = at + 2 * timeStampLength; break;
        default: header.length = at + 1; break;
    }
    if (bytes.size() < header.length) return std::nullopt;
    if (header.length > at + 1) header.pts = readTimeStamp(&bytes[at]);
    return header;
}

}  // namespace

std::int64_t readTimeStamp(const std::uint8_t* field) {
    return (static_cast<std::int64_t>((field[0] >> 1) & 0x07) << 30) | (static_cast<std::int64_t>(field[1]) << 22) |
           (static_cast<std::int64_t>(field[2] >> 1) << 15) | (static_cast<std::int64_t>(field[3]) << 7) |
           (field[4] >> 1);
}

std::optional<std::size_t> packHeaderLength(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t markerByte = 4;
    constexpr std::size_t mpeg2Length = 14;
    constexpr std::size_t mpeg1Length = 12;
    if (bytes.size() <= markerByte) return std::nullopt;
    std::size_t length = markerByte + 1;
    if ((bytes[markerByte] & 0xC0) == 0x40) {
        if (bytes.size() < mpeg2Length) return std::nullopt;
        length = mpeg2Length + (bytes[mpeg2Length - 1] & 0x07);  // pack_stuffing_length
    } else if ((bytes[markerByte] & 0xF0) == 0x20) {
        length = mpeg1Length;
    }
    if (bytes.size() < length) return std::nullopt;
    return length;
}

std::optional<std::int64_t> pesPacketLength(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < packetStartLength) return std::nullopt;
    return (bytes[4] << 8) | bytes[5];
}

std::int64_t PesPacketHeader::bodyLength() const {
    const auto body = static_cast<std::int64_t>(packetStartLength) + packetLength - static_cast<std::int64_t>(length);
    return std::max<std::int64_t>(body, 0);
}

std::optional<PesPacketHeader> PesPacketHeader::parse(std::span<const std::uint8_t> bytes) {
    const auto packetLength = pesPacketLength(bytes);
    if (!packetLength || bytes.size() <= packetStartLength) return std::nullopt;
    PesPacketHeader header;
    header.packetLength = *packetLength;
    return isMpeg2Syntax(bytes[packetStartLength]) ? parseMpeg2(bytes, header) : parseMpeg1(bytes, header);
}

}  // namespace cut2edl
