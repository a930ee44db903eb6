#pragma once

#include <cstdint>

#include "asf/AsfFileReader.h"

namespace cut2edl {

// The parsing information at the start of every data packet, up to and
// including the payload flags.
struct AsfPacketHeader {
    static constexpr std::uint8_t errorCorrectionPresent = 0x82;

    bool multiplePayloads = false;
    unsigned packetLengthType = 0;
    unsigned replicatedDataLengthType = 0;
    unsigned offsetIntoMediaObjectLengthType = 0;
    unsigned mediaObjectNumberLengthType = 0;
    unsigned payloadLengthType = 0;
    std::uint32_t packetLength = 0;  // 0 when packetLengthType is 0: the file gives it
    std::uint32_t paddingLength = 0;
    unsigned payloadCount = 1;

    // False when the packet does not begin with 0x82 or the file ends inside
    // the header.
    bool read(AsfFileReader& reader);
};

// The header of one payload behind its stream number.
struct AsfPayloadHeader {
    std::uint32_t replicatedDataLength = 0;
    bool hasMediaObjectSize = false;
    std::uint32_t mediaObjectSize = 0;

    // Reads the media object number, the offset, and the replicated data,
    // whose first four bytes are the media object size when it has eight.
    static AsfPayloadHeader read(AsfFileReader& reader, const AsfPacketHeader& packet);
};

}  // namespace cut2edl
