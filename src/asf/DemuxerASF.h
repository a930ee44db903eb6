#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "asf/AsfDataPacket.h"
#include "asf/AsfFileReader.h"
#include "asf/AsfHeaderObjects.h"
#include "demux/Demuxer.h"
#include "demux/ProbeReport.h"

namespace cut2edl {

struct AsfStreamState {
    bool declared = false;  // a Stream Properties Object named this number
    bool audio = false;     // payloads are tracked as media objects
    bool video = false;
    std::int64_t objectSize = -1;  // -1: no media object in progress
    std::int64_t bytesOutstanding = 0;
};

// Demuxer for ASF files (.dvr-ms recordings). The constructor learns frame
// rate and picture size from the MPEG-2 sequence headers in the raw file
// bytes; the streaming operations walk the ASF header objects and data
// packets themselves.
class DemuxerASF : public Demuxer {
public:
    // Throws std::runtime_error("Unable to open file"). The probe tells on
    // `report` the header objects, the streams they declare and the sequence
    // headers voted on; it walks the header objects only for a report that
    // does not discard.
    DemuxerASF(MediaFile* owner, std::string path, const ProbeReport& report = ProbeReport());
    ~DemuxerASF() override;

    double progress() override;
    bool start() override;
    bool run() override;
    bool seekToTime(double time) override;
    bool addSeekPoint(double time) override;
    // The File Properties' play duration less its preroll; none while the
    // Broadcast flag says the file is being written.
    std::optional<double> duration(const ProbeReport& report) override;

    // Empty until the header walk met a File Properties Object.
    const std::optional<AsfFileProperties>& fileProperties() const { return properties; }
    // Indexed by ASF stream number.
    const std::vector<AsfStreamState>& streams() const { return streamTable; }
    // File offset of the data packet being parsed.
    std::int64_t currentPacketPosition() const { return packetPosition; }
    bool hasMoreData() const { return moreData; }

protected:
    // Called after each data packet; returning false stops the data walk.
    virtual bool packetWalked() { return true; }

private:
    struct HeaderRecords;
    enum class NextObject;

    // Walks one header object; at the Data Object the walk ends, with the data
    // packets walked when `intoData`.
    bool walkHeaderObject(HeaderRecords& records, const ProbeReport& report, bool intoData);
    void reportHeaderObjects(const ProbeReport& report);
    NextObject parseHeaderObject(std::int32_t id, std::uint64_t objectEnd, HeaderRecords& records);
    void declareStream(const AsfStreamProperties& stream);
    bool walkPacket();
    bool walkPayloads(const AsfPacketHeader& packet, std::int64_t packetLength);
    std::int64_t bytesLeftInPacket(std::int64_t packetLength) const;
    void trackMediaObject(AsfStreamState& stream, const AsfPayloadHeader& payload, std::int64_t payloadLength);
    bool endPacket(std::int64_t packetLength);

    std::optional<AsfFileProperties> properties;
    std::int64_t packetPosition = 0;
    AsfFileReader reader;
    std::vector<AsfStreamState> streamTable;
    bool moreData = true;
};

}  // namespace cut2edl
