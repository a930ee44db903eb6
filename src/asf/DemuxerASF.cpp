#include "asf/DemuxerASF.h"

#include <algorithm>
#include <iterator>

#include <boost/filesystem/operations.hpp>

#include "asf/SequenceHeaderVote.h"

namespace cut2edl {

namespace {

constexpr std::uint64_t objectHeaderSize = 24;       // GUID and 64-bit size
constexpr std::uint64_t dataObjectFixedFields = 26;  // file id, total data packets, reserved
// The file properties' flag of a file still being written, whose durations are not yet valid.
constexpr std::uint32_t broadcastFlag = 0x01;
constexpr double playDurationUnitsPerSecond = 1e7;  // 100-nanosecond units
constexpr double prerollUnitsPerSecond = 1e3;       // milliseconds

}  // namespace

// Where the header walk goes after an object's parser has run.
enum class DemuxerASF::NextObject { BehindObject, InsideObject, None };

// What the header walk collects besides file properties and streams; it
// lives only while `start` runs.
struct DemuxerASF::HeaderRecords {
    std::vector<AsfAttribute> attributes;
    std::vector<AsfBitrateRecord> bitrates;
    std::vector<AsfExtendedStreamProperties> extendedStreams;
};

DemuxerASF::DemuxerASF(MediaFile* ownerFile, std::string videoPath, const ProbeReport& report)
    : Demuxer(ownerFile, std::move(videoPath)), reader(path) {
    if (!report.discards()) reportHeaderObjects(report);
    report.line("Sequence headers voted on:");
    const VideoFormat format = voteSequenceHeaders(reader.stream(), report.nested());
    publish(format.frameRate, format.width, format.height);
}

void DemuxerASF::reportHeaderObjects(const ProbeReport& report) {
    report.line("Header objects:");
    reader.seek(0);
    HeaderRecords records;
    while (walkHeaderObject(records, report.nested(), false)) {
    }
    report.line("Streams:");
    for (std::size_t number = 0; number < streamTable.size(); ++number) {
        const AsfStreamState& stream = streamTable[number];
        if (!stream.declared) continue;
        report.nested().print("Stream %zu: %s", number, stream.video ? "video" : stream.audio ? "audio" : "other");
    }
    reader.seek(0);
}

DemuxerASF::~DemuxerASF() = default;

std::optional<double> DemuxerASF::duration(const ProbeReport& report) {
    if (!properties) {
        const std::uint64_t remembered = reader.position();
        reader.seek(0);
        HeaderRecords records;
        while (walkHeaderObject(records, ProbeReport(), false)) {
        }
        reader.seek(remembered);
    }
    if (!properties) return reportUnknownDuration(report, "no File Properties Object");
    if (properties->flags & broadcastFlag) {
        return reportUnknownDuration(report, "the Broadcast flag is set: the file was still being written");
    }
    const double seconds = static_cast<double>(properties->playDuration) / playDurationUnitsPerSecond -
                           static_cast<double>(properties->preroll) / prerollUnitsPerSecond;
    if (!(seconds > 0)) return reportUnknownDuration(report, "the play duration is no longer than the preroll");
    return reportDuration(report, seconds,
                          format_text("play duration %llu less preroll %llu ms",
                                      static_cast<unsigned long long>(properties->playDuration),
                                      static_cast<unsigned long long>(properties->preroll)));
}

double DemuxerASF::progress() {
    boost::system::error_code error;
    if (!boost::filesystem::exists(path, error)) return 0.0;
    const auto size = boost::filesystem::file_size(path, error);
    if (error || size == 0) return 0.0;
    return static_cast<double>(reader.position()) / static_cast<double>(size);
}

bool DemuxerASF::start() {
    reader.seek(0);
    HeaderRecords records;
    while (walkHeaderObject(records, ProbeReport(), true)) {
    }
    return true;
}

bool DemuxerASF::walkHeaderObject(HeaderRecords& records, const ProbeReport& report, bool intoData) {
    const std::uint64_t objectStart = reader.position();
    const AsfGuidEntry guid = lookupAsfGuid(reader.readGuid());
    const std::int32_t id = guid.id;
    const std::uint64_t size = reader.readU64();
    if (reader.failed() || size < objectHeaderSize) return false;
    report.print("%s at offset %llu, %llu bytes", guid.name, static_cast<unsigned long long>(objectStart),
                 static_cast<unsigned long long>(size));
    if (id == ASF_Data_Object) {
        // Its size is never used to find another object, so a recording cut
        // short (or still being written) can still be walked.
        reader.skip(dataObjectFixedFields);
        if (intoData) run();
        return false;
    }
    if (size > reader.fileSize() - objectStart) return false;
    const std::uint64_t objectEnd = objectStart + size;
    const NextObject next = parseHeaderObject(id, objectEnd, records);
    // A parser that ran past the object's end had a size too small for it.
    if (next == NextObject::None || reader.failed() || reader.position() > objectEnd) return false;
    return next == NextObject::InsideObject || reader.skip(objectEnd - reader.position());
}

DemuxerASF::NextObject DemuxerASF::parseHeaderObject(std::int32_t id, std::uint64_t objectEnd, HeaderRecords& records) {
    switch (id) {
        case ASF_Header_Object:
            reader.readU32();  // number of header objects
            reader.readU16();  // reserved
            return NextObject::InsideObject;
        case ASF_File_Properties_Object: {
            const AsfFileProperties read = AsfFileProperties::read(reader);
            if (!reader.failed()) properties = read;
            return NextObject::BehindObject;
        }
        case ASF_Stream_Properties_Object:
            declareStream(AsfStreamProperties::read(reader));
            return NextObject::BehindObject;
        case ASF_Content_Description_Object:
            std::ranges::move(readContentDescription(reader), std::back_inserter(records.attributes));
            return NextObject::BehindObject;
        case ASF_Extended_Content_Description_Object:
            std::ranges::move(readExtendedContentDescription(reader), std::back_inserter(records.attributes));
            return NextObject::BehindObject;
        case ASF_Stream_Bitrate_Properties_Object:
            std::ranges::move(readStreamBitrateProperties(reader), std::back_inserter(records.bitrates));
            return NextObject::BehindObject;
        case ASF_Header_Extension_Object:
            readHeaderExtension(reader);
            return NextObject::InsideObject;
        case ASF_Extended_Stream_Properties_Object: {
            records.extendedStreams.push_back(AsfExtendedStreamProperties::read(reader, objectEnd));
            // The embedded Stream Properties Object, if any, follows.
            return records.extendedStreams.back().complete ? NextObject::InsideObject : NextObject::None;
        }
        default:
            return NextObject::BehindObject;
    }
}

void DemuxerASF::declareStream(const AsfStreamProperties& declared) {
    if (reader.failed()) return;
    const std::size_t number = declared.streamNumber();
    if (streamTable.size() <= number) streamTable.resize(number + 1);
    AsfStreamState& stream = streamTable[number];
    stream.declared = true;
    if (declared.streamTypeId == ASF_Video_Media) stream.video = true;
    if (declared.streamTypeId == ASF_Audio_Media || declared.binaryAudio) stream.audio = true;
}

bool DemuxerASF::run() {
    moreData = true;
    while (moreData) {
        moreData = walkPacket();
        if (moreData && !packetWalked()) break;
    }
    return true;
}

bool DemuxerASF::walkPacket() {
    packetPosition = static_cast<std::int64_t>(reader.position());
    AsfPacketHeader packet;
    if (!packet.read(reader)) return false;
    std::int64_t packetLength = packet.packetLength;
    if (packet.packetLengthType == 0) {
        // Without File Properties the length is unknown; guessing would lose sync.
        if (!properties) return false;
        packetLength = properties->maximumDataPacketSize;
    }
    if (walkPayloads(packet, packetLength)) return reader.skip(packet.paddingLength);
    return endPacket(packetLength);
}

std::int64_t DemuxerASF::bytesLeftInPacket(std::int64_t packetLength) const {
    return packetPosition + packetLength - static_cast<std::int64_t>(reader.position());
}

bool DemuxerASF::walkPayloads(const AsfPacketHeader& packet, std::int64_t packetLength) {
    for (unsigned i = 0; i < packet.payloadCount; ++i) {
        const std::size_t number = reader.readU8() & 0x7F;
        if (reader.failed() || number >= streamTable.size() || !streamTable[number].declared) return false;
        const AsfPayloadHeader payload = AsfPayloadHeader::read(reader, packet);
        const std::int64_t payloadLength = packet.multiplePayloads
                                               ? std::int64_t{reader.readByLengthType(packet.payloadLengthType)}
                                               : bytesLeftInPacket(packetLength) - packet.paddingLength;
        if (reader.failed() || payloadLength < 0 || payloadLength > bytesLeftInPacket(packetLength)) return false;
        trackMediaObject(streamTable[number], payload, payloadLength);
        if (!reader.skip(static_cast<std::uint64_t>(payloadLength))) return false;
    }
    return true;
}

void DemuxerASF::trackMediaObject(AsfStreamState& stream, const AsfPayloadHeader& payload,
                                  std::int64_t payloadLength) {
    if (payload.hasMediaObjectSize && stream.objectSize == -1) {
        stream.objectSize = stream.bytesOutstanding = payload.mediaObjectSize;
    }
    if (stream.video) {
        stream.objectSize = -1;
        stream.bytesOutstanding = 0;
        return;
    }
    if (!stream.audio) return;
    bool complete = payloadLength == stream.objectSize;
    if (!complete) {
        stream.bytesOutstanding -= payloadLength;
        complete = stream.bytesOutstanding <= 0;
    }
    if (complete) stream.objectSize = -1;
}

bool DemuxerASF::endPacket(std::int64_t packetLength) {
    // A packet whose own header overran its length gives no place to resume.
    const std::int64_t left = bytesLeftInPacket(packetLength);
    return left >= 0 && reader.skip(static_cast<std::uint64_t>(left));
}

bool DemuxerASF::seekToTime(double time) {
    reader.seek(static_cast<std::uint64_t>(std::max<std::int64_t>(findSeekPosition(time), 0)));
    moreData = !reader.atEnd();
    return true;
}

bool DemuxerASF::addSeekPoint(double time) {
    seekIndex.push_back({packetPosition, time});
    return true;
}

}  // namespace cut2edl
