#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "demux/CDVB_Stream.h"
#include "demux/Demuxer.h"
#include "demux/PesChunkParser.h"
#include "demux/ProbeReport.h"
#include "demux/ProgramTables.h"
#include "demux/ParameterSetSearch.h"
#include "mpeg/line_sink.h"
#include "ts/TSPacketHeader.h"

namespace cut2edl {

// Demuxer for MPEG-2 transport streams. The constructor is the probe: it
// reads the PAT and the PMTs, the first sequence header of each program's
// video, chooses a program and publishes its frame rate and picture size.
// Every search of the probe ends within bounds that do not grow with the file.
// The streaming operations walk the packets of the chosen program's video and
// audio through the PES parser, one state per PID; seek points are packet
// numbers.
class DemuxerTS : public Demuxer, private PesPacketHandler {
public:
    static constexpr std::int64_t probeBound = 16 * 1024 * 1024;
    static constexpr int packetSize = CDVB_Stream::packetSize;

    // The probe tells on `report` what it finds: the tables, each program's
    // video and the choice of program.
    DemuxerTS(MediaFile* owner, std::string path, const ProbeReport& report = ProbeReport());

    double progress() override;
    bool start() override;
    bool run() override;
    bool seekToTime(double time) override;
    bool addSeekPoint(double time) override;
    // From the earliest of the chosen video's first time stamps to the latest
    // of its last, found within 4 MiB of the end, plus one frame.
    std::optional<double> duration(const ProbeReport& report) override;

    const std::vector<ProgramInfo>& programList() const { return programs; }
    const ProgramTables& tables() const { return programTables; }
    std::int32_t chosenAudioPid() const { return audioPid; }
    std::int32_t chosenVideoPid() const { return videoPid; }
    const CDVB_Stream& packetReader() const { return *stream; }
    std::int64_t currentPacket() const { return packetNumber; }
    const DemuxState& audio() const { return *audioState; }
    const DemuxState& video() const { return *videoState; }

private:
    void probePrograms();
    void readTables();
    void searchByStartCodes();
    void chooseProgram();

    // Offset of the payload in `packet`, or -1 when it has none; moves the
    // header parsers' counter over the packet header and adaptation field.
    int payloadOffset(const std::uint8_t* packet);

    // Gives one payload of a followed PID to the PES parser; false when it asks to stop.
    bool feed(DemuxState& state, std::span<const std::uint8_t> payload, bool unitStart);
    Kind kindOf(int streamId) const override;
    void videoHeader(const PesPacketHeader& header, DemuxState& state) override;
    void audioHeader(const PesPacketHeader& header, DemuxState& state) override;

    std::vector<ProgramInfo> programs;
    std::shared_ptr<CDVB_Stream> stream;
    std::int64_t packetNumber = 0;
    std::int32_t audioPid = -1;
    std::int32_t videoPid = -1;
    double frameRate = -1.0;
    std::int32_t height = -1;
    std::int32_t width = -1;
    std::int32_t audioKind = 0;
    std::array<std::uint8_t, packetSize> packet{};
    std::shared_ptr<DemuxState> audioState = std::make_shared<DemuxState>();
    std::shared_ptr<DemuxState> videoState = std::make_shared<DemuxState>();

    ProbeReport report;
    NoticeSink notices;
    TSPacketHeader header;
    // The header parsers' running byte counter.
    int position = 1;
    ProgramTables programTables;
    // The PIDs that the walk over the tables met, and how far it went.
    TablesWalked tablesWalked;
    ParameterSetSearch search{*stream, tablesWalked, report};
};

}  // namespace cut2edl
