#include "asf/AsfHeaderObjects.h"

#include <algorithm>
#include <array>

namespace cut2edl {

namespace {

// Start of the major media type that marks a binary-media stream as audio.
constexpr std::array<std::uint8_t, 8> binaryAudioMajorType = {0x9D, 0x8C, 0x17, 0x31, 0xE1, 0x03, 0x28, 0x45};

// Strings are given as byte lengths and read as whole UTF-16 code units.
std::u16string readString(AsfFileReader& reader, std::uint16_t byteLength) {
    return reader.readUtf16(byteLength / 2);
}

AsfAttributeValue readAttributeValue(AsfFileReader& reader, std::uint16_t valueType, std::uint16_t valueLength) {
    switch (valueType) {
        case 0: return readString(reader, valueLength);
        case 1: return reader.readBytes(valueLength);
        case 2: return reader.readU32() != 0;
        case 3: return std::uint64_t{reader.readU32()};
        case 4: return reader.readU64();
        case 5: return std::uint64_t{reader.readU16()};
        default: return std::monostate{};
    }
}

AsfPayloadExtensionSystem readPayloadExtensionSystem(AsfFileReader& reader, std::uint64_t objectEnd, bool& fits) {
    AsfPayloadExtensionSystem system;
    system.systemId = reader.readGuid();
    system.dataSize = reader.readU16();
    const std::uint32_t infoLength = reader.readU32();
    const std::uint64_t left = objectEnd > reader.position() ? objectEnd - reader.position() : 0;
    fits = infoLength <= left;
    if (fits) system.info = reader.readBytes(infoLength);
    return system;
}

}  // namespace

AsfFileProperties AsfFileProperties::read(AsfFileReader& reader) {
    AsfFileProperties properties;
    properties.fileId = reader.readGuid();
    properties.fileSize = reader.readU64();
    properties.creationDate = reader.readU64();
    properties.dataPacketsCount = reader.readU64();
    properties.playDuration = reader.readU64();
    properties.sendDuration = reader.readU64();
    properties.preroll = reader.readU64();
    properties.flags = reader.readU32();
    properties.minimumDataPacketSize = reader.readU32();
    properties.maximumDataPacketSize = reader.readU32();
    properties.maximumBitrate = reader.readU32();
    return properties;
}

AsfStreamProperties AsfStreamProperties::read(AsfFileReader& reader) {
    AsfStreamProperties properties;
    properties.streamTypeId = lookupAsfGuid(reader.readGuid()).id;
    reader.readGuid();  // error correction type
    reader.readU64();   // time offset
    properties.typeSpecificDataLength = reader.readU32();
    reader.readU32();  // error correction data length
    properties.flags = reader.readU16();
    reader.readU32();  // reserved
    if (properties.streamTypeId == ASF_Binary_Media && properties.typeSpecificDataLength >= 8) {
        const std::vector<std::uint8_t> majorType = reader.readBytes(binaryAudioMajorType.size());
        properties.binaryAudio = std::equal(majorType.begin(), majorType.end(), binaryAudioMajorType.begin(),
                                            binaryAudioMajorType.end());
    }
    return properties;
}

std::vector<AsfAttribute> readContentDescription(AsfFileReader& reader) {
    static constexpr const char16_t* names[] = {u"Title", u"Author", u"Copyright", u"Description", u"Rating"};
    std::array<std::uint16_t, std::size(names)> lengths{};
    for (auto& length : lengths) length = reader.readU16();
    std::vector<AsfAttribute> attributes;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        attributes.push_back({names[i], 0, readString(reader, lengths[i])});
    }
    return attributes;
}

std::vector<AsfAttribute> readExtendedContentDescription(AsfFileReader& reader) {
    const std::uint16_t count = reader.readU16();
    std::vector<AsfAttribute> attributes;
    for (std::uint16_t i = 0; i < count && !reader.failed(); ++i) {
        AsfAttribute attribute;
        attribute.name = readString(reader, reader.readU16());
        attribute.valueType = reader.readU16();
        const std::uint16_t valueLength = reader.readU16();
        attribute.value = readAttributeValue(reader, attribute.valueType, valueLength);
        attributes.push_back(std::move(attribute));
    }
    return attributes;
}

std::vector<AsfBitrateRecord> readStreamBitrateProperties(AsfFileReader& reader) {
    const std::uint16_t count = reader.readU16();
    std::vector<AsfBitrateRecord> records;
    for (std::uint16_t i = 0; i < count && !reader.failed(); ++i) {
        AsfBitrateRecord record;
        record.flags = reader.readU16();
        record.averageBitrate = reader.readU32();
        records.push_back(record);
    }
    return records;
}

void readHeaderExtension(AsfFileReader& reader) {
    reader.readGuid();  // reserved
    reader.readU16();   // reserved
    reader.readU32();   // header extension data size: the embedded objects are walked one by one
}

AsfExtendedStreamProperties AsfExtendedStreamProperties::read(AsfFileReader& reader, std::uint64_t objectEnd) {
    AsfExtendedStreamProperties properties;
    properties.startTime = reader.readU64();
    properties.endTime = reader.readU64();
    properties.dataBitrate = reader.readU32();
    properties.bufferSize = reader.readU32();
    properties.initialBufferFullness = reader.readU32();
    properties.alternateDataBitrate = reader.readU32();
    properties.alternateBufferSize = reader.readU32();
    properties.alternateInitialBufferFullness = reader.readU32();
    properties.maximumObjectSize = reader.readU32();
    properties.flags = reader.readU32();
    properties.streamNumber = reader.readU16();
    properties.streamLanguageIdIndex = reader.readU16();
    properties.averageTimePerFrame = reader.readU64();
    const std::uint16_t nameCount = reader.readU16();
    const std::uint16_t systemCount = reader.readU16();
    for (std::uint16_t i = 0; i < nameCount && !reader.failed(); ++i) {
        AsfStreamName name;
        name.languageIdIndex = reader.readU16();
        name.name = readString(reader, reader.readU16());
        properties.streamNames.push_back(std::move(name));
    }
    for (std::uint16_t i = 0; i < systemCount && !reader.failed() && properties.complete; ++i) {
        properties.payloadExtensionSystems.push_back(readPayloadExtensionSystem(reader, objectEnd, properties.complete));
    }
    return properties;
}

}  // namespace cut2edl
