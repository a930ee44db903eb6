#include "demux/DemuxerTS.h"

#include <algorithm>
#include <utility>

#include "demux/video_parameters.h"
#include "mpeg/mpeg_pes_header.h"

namespace cut2edl {

namespace {

constexpr int packetHeaderSize = TSPacketHeader::size;
constexpr int maxAdaptationFieldLength = 183;
// The video data a sequence header is looked for in, and how much of it may
// remain unfilled: one more payload would not fit.
constexpr int videoBufferSize = 4096;
constexpr int videoBufferSlack = 184;
// How far behind a payload start the rest of its video is looked for: a
// multiplexer sends a few kilobytes of one stream within far less.
constexpr std::int64_t continuationBound = 1024 * 1024;

// Offset of the payload in the packet whose header has just been parsed, or
// -1 when the packet has none.
int payloadOffsetOf(const std::uint8_t* packet, const TSPacketHeader& header) {
    if (!header.has_payload()) return -1;
    if (!header.has_adaptation_field()) return packetHeaderSize;
    const int length = packet[packetHeaderSize];
    if (length > maxAdaptationFieldLength) return -1;
    const int offset = packetHeaderSize + 1 + length;
    return offset < DemuxerTS::packetSize ? offset : -1;
}

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

bool isVideoStreamId(std::uint8_t id) { return id >= 0xE0 && id <= 0xEF; }

}  // namespace

DemuxerTS::DemuxerTS(MediaFile* owner, std::string videoPath, const ProbeReport& probeReport)
    : Demuxer(owner, std::move(videoPath)),
      stream(std::make_shared<CDVB_Stream>(probeReport.notices())),
      report(probeReport),
      notices(probeReport.notices()),
      programTables(notices) {
    videoBuffer = std::make_unique_for_overwrite<std::uint8_t[]>(2 * videoBufferSize);
    probePrograms();
    publish(frameRate, width, height);
    ptsTracker = std::make_shared<PTSTracker>(readFirstVideoPts());
}

void DemuxerTS::probePrograms() {
    if (!stream->open(path)) return;
    report.print("First packet at offset %lld, packets of %d bytes", static_cast<long long>(stream->firstSyncOffset),
                 stream->packetStride());
    readTables();
    programTables.report(report);
    for (ProgramInfo& program : programs) {
        report.print("Program %d (PMT PID 0x%04X):", program.programNumber, program.pmtPid);
        const ProbeReport section = report.nested();
        if (!program.pmtParsed()) {
            section.line(missingPmtText(program.pmt));
        } else if (program.videoPid != -1) {
            readVideoParameters(program, section);
        } else if (program.videoStreamType != -1) {
            section.print("No parameter set: the video's stream_type 0x%02X is not read", program.videoStreamType);
        } else {
            section.line("No parameter set: no video PID");
        }
    }
    report.print("Resynchronisations while probing: %d", stream->resyncCount());
    chooseProgram();
}

int DemuxerTS::payloadOffset(const std::uint8_t* bytes) {
    header.parse(bytes, packetSize, &position);
    position += packetHeaderSize;
    if (header.has_adaptation_field()) position += bytes[packetHeaderSize] + 1;
    return payloadOffsetOf(bytes, header);
}

void DemuxerTS::readTables() {
    // Without a PAT the tables are looked for in the first 16 MiB; once one
    // has come, for 16 MiB behind it at most.
    std::int64_t tableBound = stream->addressOf(0) + probeBound;
    std::int64_t n = 0;
    for (; !programTables.complete() && stream->addressOf(n) < tableBound; ++n) {
        if (!stream->readPacket(n, packet.data())) break;
        const int offset = payloadOffset(packet.data());
        pidsSeen[header.PID] = true;
        const bool patBefore = programTables.patSeen();
        programTables.takePacket(packet.data(), header, offset, stream->addressOf(n));
        if (!patBefore && programTables.patSeen()) tableBound = stream->addressOf(n) + probeBound;
    }
    if (!programTables.complete()) programTables.finish();
    programs = programTables.programs();
    tablesWalked = {n, stream->endOfFile()};
}

void DemuxerTS::readVideoParameters(ProgramInfo& program, const ProbeReport& section) {
    section.print("Video PID: 0x%04X (stream_type 0x%02X)", program.videoPid, program.videoStreamType);
    const std::int64_t endAddress = stream->addressOf(0) + probeBound;
    // Where the walk over the tables already passed every packet that the
    // search would look at without meeting the PID, it has nothing to find.
    const bool walkedEverything = tablesWalked.endOfFile || stream->addressOf(tablesWalked.packets) >= endAddress;
    if (walkedEverything && !pidsSeen[static_cast<std::size_t>(program.videoPid)]) {
        return section.line(tablesWalked.endOfFile ? "No parameter set before the end of the file"
                                                   : "No parameter set within the first 16 MiB");
    }
    for (std::int64_t k = stream->findPayloadStartForward(program.videoPid, 0, endAddress); k >= 0;
         k = stream->findPayloadStartForward(program.videoPid, k + 1, endAddress)) {
        const VideoParameters found = examineVideo(program, k, endAddress, section);
        if (found.outcome == VideoParameters::Outcome::NotFound) continue;
        // Without a frame rate a parameter set counts for nothing in the choice.
        if (found.outcome == VideoParameters::Outcome::Found) {
            program.width = found.width;
            program.height = found.height;
            program.frameRate = found.frameRate;
        }
        return;
    }
    section.line(stream->endOfFile() ? "No parameter set before the end of the file"
                                     : "No parameter set within the first 16 MiB");
}

VideoParameters DemuxerTS::examineVideo(const ProgramInfo& program, std::int64_t first, std::int64_t endAddress,
                                        const ProbeReport& section) {
    const auto coding = static_cast<std::uint8_t>(program.videoStreamType);
    int filled = collectVideo(first, program.videoPid, endAddress, videoBufferSize);
    const VideoParameters found = findVideoParameters(coding, videoBuffer.get(), filled, section, true);
    if (found.outcome != VideoParameters::Outcome::NeedsMoreBytes) return found;
    // The sequence extension that may scale the rate lies behind the buffer: read on a little.
    filled = collectVideo(first, program.videoPid, endAddress, 2 * videoBufferSize);
    return findVideoParameters(coding, videoBuffer.get(), filled, section, false);
}

int DemuxerTS::collectVideo(std::int64_t first, int pid, std::int64_t endAddress, int size) {
    int filled = 0;
    const std::int64_t bound = std::min(endAddress, stream->addressOf(first) + continuationBound);
    for (std::int64_t n = first; filled < size - videoBufferSlack && stream->addressOf(n) < bound; ++n) {
        if (!stream->readPacket(n, packet.data())) break;
        TSPacketHeader packetHeader;
        packetHeader.parse(packet.data(), packetSize, &position);
        if (static_cast<int>(packetHeader.PID) != pid) continue;
        const int offset = payloadOffsetOf(packet.data(), packetHeader);
        if (offset < 0) continue;
        const int count = std::min(packetSize - offset, size - filled);
        std::copy_n(packet.begin() + offset, count, videoBuffer.get() + filled);
        filled += count;
    }
    return filled;
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
    if (complete == 1) {
        report.print("Chosen program: %d, the only complete one (video with its parameter set, AC-3 audio as "
                     "stream_type 0x81)", chosen->programNumber);
    } else if (complete > 1) {
        report.print("Chosen program: %d, the widest of %d complete ones", chosen->programNumber,
                     static_cast<int>(complete));
    } else {
        report.print("Chosen program: %d, none being complete: among the programs with a parameter set, those "
                     "with sound first, then the widest, then the earlier", chosen->programNumber);
    }
    audioPid = chosen->audioPid;
    videoPid = chosen->videoPid;
    frameRate = chosen->frameRate;
    height = chosen->height;
    width = chosen->width;
    audioKind = chosen->audioKind;
}

std::int64_t DemuxerTS::readFirstVideoPts() {
    if (videoPid < 0) return 0;
    const std::int64_t endAddress = stream->addressOf(0) + probeBound;
    for (std::int64_t k = stream->findPayloadStartForward(videoPid, 0, endAddress); k >= 0;
         k = stream->findPayloadStartForward(videoPid, k + 1, endAddress)) {
        if (!stream->readPacket(k, packet.data())) break;
        TSPacketHeader packetHeader;
        packetHeader.parse(packet.data(), packetSize, &position);
        const int offset = payloadOffsetOf(packet.data(), packetHeader);
        if (offset < 0 || packetSize - offset < 4 || !isVideoStreamId(packet[offset + 3])) continue;
        int headerPosition = 1;
        mpeg_pes_header pes;
        pes.parse(packet.data() + offset, packetSize - offset, &headerPosition);
        if (pes.start_code.value >> 8 != 1 || !pes.extension || !pes.extension->pts_dts) continue;
        const pes_clock_value& pts = pes.extension->pts_dts->PTS;
        if (pts.marker_bit_3.span != 0) return static_cast<std::int64_t>(pts.value());
    }
    return 0;
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
