#include "demux/DemuxerTS.h"

#include <algorithm>
#include <string>
#include <utility>

#include "demux/time_stamps_near_end.h"
#include "demux/ts_video_pts.h"

namespace cut2edl {

namespace {

constexpr int packetHeaderSize = TSPacketHeader::size;

const char* missingPmtText(PmtWait wait) {
    switch (wait) {
        case PmtWait::PatsWentBy:
            return "No parameter set: no PMT came while three further PATs went by (taken as not recorded)";
        case PmtWait::BytesWentBy:
            return "No parameter set: no PMT came within 4 MiB with no further PAT (taken as not recorded)";
        default:
            return "No parameter set: no PMT seen";
    }
}

// The program's number, with the name of its service when the SDT gave one:
// 3401 "Rai 1".
std::string titleOf(const ProgramInfo& program) {
    std::string title = std::to_string(program.programNumber);
    if (program.serviceName) title += " \"" + *program.serviceName + "\"";
    return title;
}

}  // namespace

DemuxerTS::DemuxerTS(MediaFile* owner, std::string videoPath, const ProbeReport& probeReport)
    : Demuxer(owner, std::move(videoPath)),
      stream(std::make_shared<CDVB_Stream>(probeReport.notices())),
      report(probeReport),
      notices(probeReport.notices()),
      programTables(notices, !probeReport.discards()) {
    probePrograms();
    publish(frameRate, width, height);
    ptsTracker = std::make_shared<PTSTracker>(videoPid < 0 ? 0 : search.firstPts(videoPid));
}

void DemuxerTS::probePrograms() {
    if (!stream->open(path)) return;
    report.print("First packet at offset %lld, packets of %d bytes", static_cast<long long>(stream->firstSyncOffset),
                 stream->packetStride());
    readTables();
    programTables.report(report);
    for (ProgramInfo& program : programs) {
        report.print("Program %s (PMT PID 0x%04X):", titleOf(program).c_str(), program.pmtPid);
        const ProbeReport section = report.nested();
        if (!program.pmtParsed()) {
            section.line(missingPmtText(program.pmt));
        } else if (!program.videoStreams.empty()) {
            search.search(program, section);
        } else if (program.videoStreamType != -1) {
            section.print("No parameter set: the video's stream_type 0x%02X is not read", program.videoStreamType);
        } else {
            section.line("No parameter set: no video PID");
        }
    }
    report.print("Resynchronisations while probing: %d", stream->resyncCount());
    if (std::none_of(programs.begin(), programs.end(), [](const auto& p) { return p.hasSequenceHeader(); })) {
        searchByStartCodes();
    }
    chooseProgram();
}

void DemuxerTS::searchByStartCodes() {
    report.line(programs.empty() ? "No program in the tables: the video is looked for by its start codes"
                                 : "No program's video gave a parameter set: the video is looked for by its start "
                                   "codes");
    for (ProgramInfo& video : search.searchByStartCodes(report.nested())) programs.push_back(std::move(video));
}

int DemuxerTS::payloadOffset(const std::uint8_t* bytes) {
    header.parse(bytes, packetSize, &position);
    position += packetHeaderSize;
    if (header.has_adaptation_field()) position += bytes[packetHeaderSize] + 1;
    return payload_offset(bytes, header);
}

void DemuxerTS::readTables() {
    // Without a PAT the tables are looked for in the first 16 MiB; once one
    // has come, for 16 MiB behind it at most.
    std::int64_t tableBound = stream->addressOf(0) + probeBound;
    std::int64_t n = 0;
    for (; !programTables.complete() && stream->addressOf(n) < tableBound; ++n) {
        if (!stream->readPacket(n, packet.data())) break;
        const int offset = payloadOffset(packet.data());
        tablesWalked.pidsSeen[header.PID] = true;
        const bool patBefore = programTables.patSeen();
        programTables.takePacket(packet.data(), header, offset, stream->addressOf(n));
        if (!patBefore && programTables.patSeen()) tableBound = stream->addressOf(n) + probeBound;
    }
    if (!programTables.complete()) programTables.finish();
    programs = programTables.programs();
    tablesWalked.packets = n;
    tablesWalked.endOfFile = stream->endOfFile();
}

void DemuxerTS::chooseProgram() {
    const ProgramInfo* chosen = nullptr;
    // The widest complete program; on equal widths the earlier.
    const auto complete = std::count_if(programs.begin(), programs.end(), [](const auto& p) { return p.complete(); });
    for (const ProgramInfo& program : programs) {
        if (program.complete() && (chosen == nullptr || program.width > chosen->width)) chosen = &program;
    }
    // With none complete: among the programs whose sequence header was found,
    // those with sound first (a television service has sound; a test or data
    // service may not), then the widest, then the earlier.
    const auto better = [](const ProgramInfo& program, const ProgramInfo& than) {
        if (program.hasAudio != than.hasAudio) return program.hasAudio;
        return program.width > than.width;
    };
    if (chosen == nullptr) {
        for (const ProgramInfo& program : programs) {
            if (program.hasSequenceHeader() && (chosen == nullptr || better(program, *chosen))) chosen = &program;
        }
    }
    if (chosen == nullptr) {
        report.line("Chosen program: none, since no program has a parameter set with a frame size");
        return;
    }
    if (chosen->foundByStartCodes) {
        report.print("Chosen: the video on PID 0x%04X, found by its start codes: the widest, then the first",
                     chosen->videoPid);
    } else if (complete == 1) {
        report.print("Chosen program: %s, the only complete one (video with its parameter set, AC-3 audio as "
                     "stream_type 0x81)", titleOf(*chosen).c_str());
    } else if (complete > 1) {
        report.print("Chosen program: %s, the widest of %d complete ones", titleOf(*chosen).c_str(),
                     static_cast<int>(complete));
    } else {
        report.print("Chosen program: %s, none being complete: among the programs with a parameter set, those "
                     "with sound first, then the widest, then the earlier", titleOf(*chosen).c_str());
    }
    audioPid = chosen->audioPid;
    videoPid = chosen->videoPid;
    frameRate = chosen->frameRate;
    height = chosen->height;
    width = chosen->width;
    audioKind = chosen->audioKind;
}

std::optional<double> DemuxerTS::duration(const ProbeReport& durationReport) {
    if (videoPid < 0 || frameRate <= 0) return reportUnknownDuration(durationReport, "no video with a frame rate");
    const std::vector<std::int64_t> first = search.leadingPts(videoPid, endStampsWanted);
    const int stride = stream->packetStride();
    const int pid = videoPid;
    // A packet that begins in a block is read whole, with the sync byte of the one behind it.
    const std::vector<std::int64_t> last = timeStampsNearEnd(
        path, 2 * static_cast<std::size_t>(stride),
        [stride, pid](std::span<const std::uint8_t> bytes, std::size_t unitsEnd, std::vector<std::int64_t>& stamps) {
            videoPtsOfPackets(bytes, unitsEnd, stride, pid, stamps);
        });
    return durationFromStamps(durationReport, first, last, frameRate);
}

double DemuxerTS::progress() {
    const std::int64_t packets = stream->fileSize() / stream->packetStride();
    return packets == 0 ? 0.0 : static_cast<double>(packetNumber) / static_cast<double>(packets);
}

bool DemuxerTS::start() {
    packetNumber = 0;
    audioState->restart();
    videoState->restart();
    return run();
}

bool DemuxerTS::run() {
    for (; stream->readPacket(packetNumber, packet.data()); ++packetNumber) {
        const int offset = payloadOffset(packet.data());
        if (offset < 0) continue;
        const int pid = header.PID;
        DemuxState* state = pid == videoPid ? videoState.get() : pid == audioPid ? audioState.get() : nullptr;
        if (state == nullptr) continue;
        const std::span<const std::uint8_t> payload(packet.data() + offset, packet.size() - offset);
        if (!feed(*state, payload, header.payload_unit_start_indicator != 0)) break;
    }
    return false;
}

bool DemuxerTS::feed(DemuxState& state, std::span<const std::uint8_t> payload, bool unitStart) {
    // Behind a seek only a payload that starts a PES packet can be read: what
    // continues a packet from before the seek would be taken for a header.
    if (state.resyncAfterSeek) {
        if (!unitStart) return true;
        state.resyncAfterSeek = false;
    }
    if (unitStart) state.restart();
    return parsePesChunk(payload, state, *this);
}

PesPacketHandler::Kind DemuxerTS::kindOf(int streamId) const {
    if (streamId >= 0xE0 && streamId <= 0xEF) return Kind::Video;
    if ((streamId >= 0xC0 && streamId <= 0xDF) || streamId == 0xBD) return Kind::Audio;
    return Kind::Other;
}

void DemuxerTS::videoHeader(const PesPacketHeader& header, DemuxState&) {
    if (!header.pts || *header.pts == 0) return;
    std::int64_t pts = *header.pts;
    ptsTracker->normalizePts(packetNumber, pts, true);
}

void DemuxerTS::audioHeader(const PesPacketHeader& header, DemuxState& state) {
    if (header.pts) state.lastPts = *header.pts;
    std::int64_t pts = state.lastPts;
    ptsTracker->normalizePts(packetNumber, pts, false);
    state.audioTime = static_cast<double>(pts) / 90000.0;
}

bool DemuxerTS::seekToTime(double time) {
    packetNumber = findSeekPosition(time);
    for (DemuxState* state : {audioState.get(), videoState.get()}) {
        state->restart();
        state->resyncAfterSeek = true;
    }
    const std::int64_t address = stream->addressOf(packetNumber);
    return stream->isOpen() && !stream->failed() && address >= 0 && address + packetSize <= stream->fileSize();
}

bool DemuxerTS::addSeekPoint(double time) {
    // The last payload start of the video before the packet being processed;
    // the file's start when there is none.
    const std::int64_t found = stream->findPayloadStartBackward(packetNumber - 1, videoPid);
    seekIndex.push_back({std::max<std::int64_t>(found, 0), time});
    return true;
}

}  // namespace cut2edl
