#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "asf/AsfFileReader.h"
#include "asf/AsfGuid.h"

namespace cut2edl {

// Each reader below consumes exactly the fields of its object that the header
// walk parses and leaves the reader behind the last of them.

struct AsfFileProperties {
    AsfGuid fileId{};
    std::uint64_t fileSize = 0;
    std::uint64_t creationDate = 0;
    std::uint64_t dataPacketsCount = 0;
    std::uint64_t playDuration = 0;
    std::uint64_t sendDuration = 0;
    std::uint64_t preroll = 0;
    std::uint32_t flags = 0;
    std::uint32_t minimumDataPacketSize = 0;
    std::uint32_t maximumDataPacketSize = 0;
    std::uint32_t maximumBitrate = 0;

    static AsfFileProperties read(AsfFileReader& reader);
};

// The fields of a Stream Properties Object the stream table needs.
struct AsfStreamProperties {
    std::int32_t streamTypeId = ASF_UNKNOWN;
    std::uint32_t typeSpecificDataLength = 0;
    std::uint16_t flags = 0;
    bool binaryAudio = false;  // binary media whose major type marks audio

    std::uint8_t streamNumber() const { return static_cast<std::uint8_t>(flags & 0x7F); }

    static AsfStreamProperties read(AsfFileReader& reader);
};

using AsfAttributeValue =
    std::variant<std::monostate, std::u16string, std::vector<std::uint8_t>, bool, std::uint64_t>;

struct AsfAttribute {
    std::u16string name;
    std::uint16_t valueType = 0;
    AsfAttributeValue value;
};

// Content Description: the five fixed strings as attributes of value type 0.
std::vector<AsfAttribute> readContentDescription(AsfFileReader& reader);

std::vector<AsfAttribute> readExtendedContentDescription(AsfFileReader& reader);

struct AsfBitrateRecord {
    std::uint16_t flags = 0;
    std::uint32_t averageBitrate = 0;
};

std::vector<AsfBitrateRecord> readStreamBitrateProperties(AsfFileReader& reader);

// Header Extension: the fixed fields only; its embedded objects follow.
void readHeaderExtension(AsfFileReader& reader);

struct AsfStreamName {
    std::uint16_t languageIdIndex = 0;
    std::u16string name;
};

struct AsfPayloadExtensionSystem {
    AsfGuid systemId{};
    std::uint16_t dataSize = 0;
    std::vector<std::uint8_t> info;
};

struct AsfExtendedStreamProperties {
    std::uint64_t startTime = 0;
    std::uint64_t endTime = 0;
    std::uint32_t dataBitrate = 0;
    std::uint32_t bufferSize = 0;
    std::uint32_t initialBufferFullness = 0;
    std::uint32_t alternateDataBitrate = 0;
    std::uint32_t alternateBufferSize = 0;
    std::uint32_t alternateInitialBufferFullness = 0;
    std::uint32_t maximumObjectSize = 0;
    std::uint32_t flags = 0;
    std::uint16_t streamNumber = 0;
    std::uint16_t streamLanguageIdIndex = 0;
    std::uint64_t averageTimePerFrame = 0;
    std::vector<AsfStreamName> streamNames;
    std::vector<AsfPayloadExtensionSystem> payloadExtensionSystems;
    // False when an info length claimed more than the object has left.
    bool complete = true;

    // `objectEnd` is the file offset where the object ends; the embedded
    // Stream Properties Object, if any, follows what was read.
    static AsfExtendedStreamProperties read(AsfFileReader& reader, std::uint64_t objectEnd);
};

}  // namespace cut2edl
