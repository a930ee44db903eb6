#include "demux/DemuxerTS.h"

#include <algorithm>
#include <utility>

#include "demux/video_parameters.h"
#include "mpeg/mpeg_pes_header.h"

namespace cut2edl {

namespace {

constexpr int patPid = 0;
constexpr int packetHeaderSize = TSPacketHeader::size;
constexpr int maxAdaptationFieldLength = 183;
// The largest section: a section_length of 0xFFF and the three bytes before
// it; a section buffer holds it and the packet that completes it.
constexpr int maxSectionSize = 0xFFF + 3;
constexpr int sectionCapacity = maxSectionSize + DemuxerTS::packetSize;
// The video data a sequence header is looked for in, and how much of it may
// remain unfilled: one more payload would not fit.
constexpr int videoBufferSize = 4096;
constexpr int videoBufferSlack = 184;
// How far behind a payload start its continuation packets are looked for: a
// multiplexer sends a section or a few kilobytes of video within far less.
constexpr std::int64_t continuationBound = 1024 * 1024;

constexpr std::uint8_t mpeg2VideoType = 0x02;
constexpr std::uint8_t h264VideoType = 0x1B;
constexpr std::uint8_t hevcVideoType = 0x24;
constexpr std::uint8_t mpeg1AudioType = 0x03;
constexpr std::uint8_t mpeg2AudioType = 0x04;
constexpr std::uint8_t privateDataType = 0x06;
constexpr std::uint8_t aacAdtsType = 0x0F;
constexpr std::uint8_t aacLatmType = 0x11;
constexpr std::uint8_t ac3Type = 0x81;
constexpr std::int32_t ac3AudioKind = 2;

constexpr std::uint8_t teletextTag = 0x56;
constexpr std::uint8_t ac3Tag = 0x6A;
constexpr std::uint8_t enhancedAc3Tag = 0x7A;
constexpr std::uint8_t dtsTag = 0x7B;
constexpr std::uint8_t aacTag = 0x7C;

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

bool carriesSound(const PSI_PMT_Program_Info_Loop& stream) {
    switch (stream.stream_type.value) {
        case mpeg1AudioType: case mpeg2AudioType: case aacAdtsType: case aacLatmType: case ac3Type:
            return true;
        case privateDataType:
            for (const Descriptor* d = stream.descriptors.get(); d != nullptr; d = d->next.get()) {
                const auto tag = d->descriptor_tag.value;
                if (tag == ac3Tag || tag == enhancedAc3Tag || tag == dtsTag || tag == aacTag) return true;
            }
            return false;
        default:
            return false;
    }
}

// Video of any coding: MPEG-1 and -2, MPEG-4 part 2, H.264, HEVC, AVS, Dirac, VC-1.
bool isVideoType(std::uint8_t type) {
    switch (type) {
        case 0x01: case mpeg2VideoType: case 0x10: case h264VideoType: case hevcVideoType: case 0x42: case 0xD1:
        case 0xEA:
            return true;
        default:
            return false;
    }
}

bool isVideoStreamId(std::uint8_t id) { return id >= 0xE0 && id <= 0xEF; }

}  // namespace

int DemuxerTS::Section::size() const {
    if (filled < 3) return maxSectionSize;
    return ((bytes[1] & 0x0F) << 8 | bytes[2]) + 3;
}

DemuxerTS::DemuxerTS(MediaFile* owner, std::string videoPath, const ProbeReport& probeReport)
    : Demuxer(owner, std::move(videoPath)),
      stream(std::make_shared<CDVB_Stream>(probeReport.notices())),
      report(probeReport),
      notices(probeReport.notices()) {
    section.bytes = std::make_unique_for_overwrite<std::uint8_t[]>(sectionCapacity);
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
    reportTables();
    for (ProgramInfo& program : programs) {
        report.print("Program %d (PMT PID 0x%04X):", program.programNumber, program.pmtPid);
        const ProbeReport section = report.nested();
        if (!program.pmtParsed) {
            section.line("No parameter set: no PMT seen");
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

void DemuxerTS::reportTables() const {
    if (report.discards()) return;
    if (pat) {
        report.line("PAT (PID 0x0000):");
        pat->dump(report.nested().sink(), indented);
    }
    for (const auto& [pid, pmt] : pmts) {
        report.print("PMT (PID 0x%04X):", pid);
        pmt->dump(report.nested().sink(), indented);
    }
}

int DemuxerTS::payloadOffset(const std::uint8_t* bytes) {
    header.parse(bytes, packetSize, &position);
    position += packetHeaderSize;
    if (header.has_adaptation_field()) position += bytes[packetHeaderSize] + 1;
    return payloadOffsetOf(bytes, header);
}

void DemuxerTS::readTables() {
    // Without a PAT the tables are looked for in the first 16 MiB; once one
    // is parsed, for 16 MiB behind it: PSI repeats several times a second, so
    // a PMT not seen by then is not in the recording.
    std::int64_t tableBound = stream->addressOf(0) + probeBound;
    std::int64_t n = 0;
    for (; !pids.all_pmts_parsed() && stream->addressOf(n) < tableBound; ++n) {
        if (!readTablePacket(n, tableBound)) break;
    }
    tablesWalked = {n, stream->endOfFile()};
}

bool DemuxerTS::readTablePacket(std::int64_t n, std::int64_t& tableBound) {
    if (!stream->readPacket(n, packet.data())) return false;
    const int offset = payloadOffset(packet.data());
    const int pid = header.PID;
    pidsSeen[static_cast<std::size_t>(pid)] = true;
    const std::uint32_t flags = pids.pid_flags[pid];
    if (offset < 0 || !header.payload_unit_start_indicator || (flags & PID_List::carries_psi) == 0) return true;
    if (!assembleSection(n, offset) || !isNewSection(pid)) return true;
    if (pid == patPid) {
        if (!pat) tableBound = stream->addressOf(n) + probeBound;
        takePat();
    } else if ((flags & PID_List::carries_pmt) != 0) {
        takePmt(pid);
    }
    return true;
}

bool DemuxerTS::assembleSection(std::int64_t n, int offset) {
    ++position;
    const int start = offset + 1 + packet[offset];
    if (start >= packetSize) return false;  // a pointer_field beyond the payload
    const auto append = [this](const std::uint8_t* from, int count) {
        count = std::min(count, sectionCapacity - section.filled);
        std::copy_n(from, count, section.bytes.get() + section.filled);
        section.filled += count;
    };
    section.filled = 0;
    append(packet.data() + start, packetSize - start);
    const int pid = header.PID;
    const std::int64_t bound = stream->addressOf(n) + continuationBound;
    std::array<std::uint8_t, packetSize> next{};
    for (std::int64_t k = n + 1; section.filled < section.size() && stream->addressOf(k) < bound; ++k) {
        if (!stream->readPacket(k, next.data())) break;
        TSPacketHeader nextHeader;
        nextHeader.parse(next.data(), packetSize, &position);
        if (static_cast<int>(nextHeader.PID) != pid) continue;
        int from = payloadOffsetOf(next.data(), nextHeader);
        if (from < 0) continue;
        // A packet that starts a new section carries the end of this one behind its pointer_field.
        if (nextHeader.payload_unit_start_indicator) ++from;
        append(next.data() + from, packetSize - from);
    }
    return true;
}

bool DemuxerTS::isNewSection(int pid) {
    // Tables repeat several times a second, nearly always unchanged: parsing
    // each repetition again would cost far more than this comparison.
    std::vector<std::uint8_t>& last = lastSections[pid];
    const std::uint8_t* assembled = section.bytes.get();
    if (std::equal(assembled, assembled + section.filled, last.begin(), last.end())) return false;
    last.assign(assembled, assembled + section.filled);
    return true;
}

ProgramInfo* DemuxerTS::programNumbered(int programNumber) {
    const auto found = std::find_if(programs.begin(), programs.end(),
                                    [programNumber](const ProgramInfo& p) { return p.programNumber == programNumber; });
    return found == programs.end() ? nullptr : &*found;
}

void DemuxerTS::takePat() {
    auto table = std::make_shared<PSI_PAT>();
    table->parse(section.bytes.get(), &position, section.size(), section.filled, notices);
    for (const PSI_PAT_Program* entry = table->programs.get(); entry != nullptr; entry = entry->next.get()) {
        // Program 0 names the network PID, which carries no PMT.
        if (entry->program_number.value == 0) continue;
        const int pmtPid = entry->program_map_PID.value;
        pids.pid_flags[pmtPid] |= PID_List::wanted | PID_List::carries_pmt | PID_List::carries_psi;
        pids.program_numbers[pmtPid] = entry->program_number.value;
        const auto known = [pmtPid](const std::vector<int>& list) {
            return std::find(list.begin(), list.end(), pmtPid) != list.end();
        };
        if (!known(pids.parsed_pmt_pids) && !known(pids.pending_pmt_pids)) pids.pending_pmt_pids.push_back(pmtPid);
        const bool listed = std::any_of(programs.begin(), programs.end(),
                                        [pmtPid](const ProgramInfo& p) { return p.pmtPid == pmtPid; });
        if (!listed) {
            ProgramInfo program;
            program.pmtPid = pmtPid;
            program.programNumber = entry->program_number.value;
            programs.push_back(std::move(program));
        }
    }
    pids.pat_complete = true;
    pat = std::move(table);
}

void DemuxerTS::takePmt(int pid) {
    auto table = std::make_shared<PSI_PMT>();
    table->parse(section.bytes.get(), section.size(), &position, section.filled, notices);
    pmts[pid] = table;
    ProgramInfo* program = programNumbered(table->program_number().value);
    if (program == nullptr) return;
    pids.pid_flags[table->PCR_PID.value] |= PID_List::wanted | PID_List::carries_pcr;
    for (const auto* entry = table->streams.get(); entry != nullptr; entry = entry->next.get()) {
        pids.pid_flags[entry->elementary_PID.value] |= PID_List::wanted | entry->stream_type.value;
        takeStream(*program, *entry);
    }
    if (!program->pmtParsed) pids.mark_pmt_parsed(pid);
    program->pmtParsed = true;
}

void DemuxerTS::takeStream(ProgramInfo& program, const PSI_PMT_Program_Info_Loop& entry) {
    const int pid = entry.elementary_PID.value;
    program.hasAudio = program.hasAudio || carriesSound(entry);
    if (program.videoStreamType == -1 && isVideoType(entry.stream_type.value)) {
        program.videoStreamType = entry.stream_type.value;
    }
    switch (entry.stream_type.value) {
        case mpeg2VideoType: case h264VideoType: case hevcVideoType:
            program.videoPid = pid;
            program.videoStreamType = entry.stream_type.value;
            break;
        case mpeg1AudioType: case mpeg2AudioType:
            program.audioPid = pid;
            break;
        case ac3Type:
            program.audioPid = pid;
            program.audioKind = ac3AudioKind;
            break;
        case privateDataType:
            if (!entry.descriptors) break;
            if (entry.descriptors->descriptor_tag.value == teletextTag) {
                pids.pid_flags[pid] |= PID_List::teletext_descriptor_first;
            }
            if (entry.descriptors->descriptor_tag.value == ac3Tag) pids.pid_flags[pid] |= PID_List::ac3_descriptor_first;
            break;
        default:
            break;
    }
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
