#include "asf/AsfDataPacket.h"

namespace cut2edl {

bool AsfPacketHeader::read(AsfFileReader& reader) {
    if (reader.readU8() != errorCorrectionPresent || reader.failed()) return false;
    reader.skip(2);  // error correction data
    const std::uint8_t lengthTypeFlags = reader.readU8();
    const std::uint8_t propertyFlags = reader.readU8();
    multiplePayloads = (lengthTypeFlags & 1) != 0;
    const unsigned sequenceType = (lengthTypeFlags >> 1) & 3;
    const unsigned paddingLengthType = (lengthTypeFlags >> 3) & 3;
    packetLengthType = (lengthTypeFlags >> 5) & 3;
    replicatedDataLengthType = propertyFlags & 3;
    offsetIntoMediaObjectLengthType = (propertyFlags >> 2) & 3;
    mediaObjectNumberLengthType = (propertyFlags >> 4) & 3;
    packetLength = reader.readByLengthType(packetLengthType);
    reader.readByLengthType(sequenceType);
    paddingLength = reader.readByLengthType(paddingLengthType);
    reader.skip(6);  // send time and duration
    if (multiplePayloads) {
        const std::uint8_t payloadFlags = reader.readU8();
        payloadCount = payloadFlags & 0x3F;
        payloadLengthType = payloadFlags >> 6;
    }
    return !reader.failed();
}

AsfPayloadHeader AsfPayloadHeader::read(AsfFileReader& reader, const AsfPacketHeader& packet) {
    AsfPayloadHeader payload;
    reader.readByLengthType(packet.mediaObjectNumberLengthType);
    reader.readByLengthType(packet.offsetIntoMediaObjectLengthType);
    std::uint64_t replicatedLeft = payload.replicatedDataLength = reader.readByLengthType(packet.replicatedDataLengthType);
    if (replicatedLeft >= 8) {
        payload.hasMediaObjectSize = true;
        payload.mediaObjectSize = reader.readU32();
        reader.readU32();  // presentation time
        replicatedLeft -= 8;
    }
    reader.skip(replicatedLeft);
    return payload;
}

}  // namespace cut2edl
