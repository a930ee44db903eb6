#include "demux/ProgramTables.h"

#include <algorithm>
#include <string>

#include "demux/section_soundness.h"
#include "descriptors/create_descriptor.h"
#include "descriptors/registration_descriptor.h"

namespace cut2edl {

namespace {

constexpr std::uint8_t patTableId = 0x00;
constexpr std::uint8_t pmtTableId = 0x02;

constexpr std::uint8_t mpeg1VideoType = 0x01;
constexpr std::uint8_t mpeg2VideoType = 0x02;
constexpr std::uint8_t cableMpeg2VideoType = 0x80;
constexpr std::uint8_t h264VideoType = 0x1B;
constexpr std::uint8_t hevcVideoType = 0x24;
constexpr std::uint8_t mpeg1AudioType = 0x03;
constexpr std::uint8_t mpeg2AudioType = 0x04;
constexpr std::uint8_t privateDataType = 0x06;
constexpr std::uint8_t aacAdtsType = 0x0F;
constexpr std::uint8_t aacLatmType = 0x11;
constexpr std::uint8_t ac3Type = 0x81;
constexpr std::int32_t ac3AudioKind = 2;

constexpr std::uint8_t registrationTag = 0x05;
constexpr std::uint32_t hdmvFormat = 0x48444D56;  // "HDMV"
constexpr std::uint8_t teletextTag = 0x56;
constexpr std::uint8_t ac3Tag = 0x6A;
constexpr std::uint8_t enhancedAc3Tag = 0x7A;
constexpr std::uint8_t dtsTag = 0x7B;
constexpr std::uint8_t aacTag = 0x7C;

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

// The codings whose parameter sets are read: MPEG-1 and -2 video, H.264, HEVC,
// and MPEG-2 video as North American cable signals it.
bool isReadVideoType(std::uint8_t type) {
    return type == mpeg1VideoType || type == mpeg2VideoType || type == h264VideoType || type == hevcVideoType ||
           type == cableMpeg2VideoType;
}

// Whether a registration descriptor in the loop names the format HDMV.
bool namesHdmv(const Descriptor* first) {
    for (const Descriptor* d = first; d != nullptr; d = d->next.get()) {
        if (d->descriptor_tag.value != registrationTag) continue;
        const auto& registration = static_cast<const registration_descriptor&>(*d);
        if (registration.format_identifier.value == hdmvFormat) return true;
    }
    return false;
}

// Video of any coding: MPEG-1 and -2, MPEG-4 part 2, H.264, HEVC, AVS, Dirac, VC-1.
bool isVideoType(std::uint8_t type) {
    switch (type) {
        case mpeg1VideoType: case mpeg2VideoType: case 0x10: case h264VideoType: case hevcVideoType: case 0x42: case 0xD1:
        case 0xEA:
            return true;
        default:
            return false;
    }
}

int extensionOf(std::span<const std::uint8_t> bytes) { return bytes.size() > 4 ? bytes[3] << 8 | bytes[4] : -1; }

}  // namespace

ProgramTables::ProgramTables(NoticeSink noticeSink, bool nameServices)
    : notices(std::move(noticeSink)), services(notices), namingServices(nameServices) {
    if (namingServices) pids.pid_flags[ServiceTable::sdtPid] |= PID_List::carries_psi;
}

void ProgramTables::takePacket(const std::uint8_t* packet, const TSPacketHeader& header, int payloadOffset,
                               std::int64_t packetAddress) {
    address = packetAddress;
    const int pid = header.PID;
    if ((pids.pid_flags[pid] & PID_List::carries_psi) != 0) {
        assemblers[pid].feed(packet, header, payloadOffset,
                             [this, pid](const AssembledSection& section) { takeSection(pid, section); });
    }
    if (patSeen() && !complete() && address - lastPatAddress >= bytesBeforeAbsence) {
        // The PAT does not repeat: neither its missing sections, nor a sound
        // one for an unsound, nor the PMTs awaited will come.
        pids.pat_complete = true;
        unsoundPatFinal = true;
        for (Program& program : programList) {
            if (program.info.pmt == PmtWait::Awaited) endWait(program, PmtWait::BytesWentBy);
        }
    }
}

void ProgramTables::finish() {
    for (auto& [pid, assembler] : assemblers) {
        assembler.finish([this, pid = pid](const AssembledSection& section) { takeSection(pid, section); });
    }
    unsoundPatFinal = true;
    for (Program& program : programList) {
        if (program.info.pmt == PmtWait::Awaited) endWait(program, PmtWait::WalkEnded);
    }
}

std::vector<ProgramInfo> ProgramTables::programs() const {
    std::vector<ProgramInfo> infos;
    infos.reserve(programList.size());
    for (const Program& program : programList) {
        infos.push_back(program.info);
        infos.back().serviceName = services.serviceName(program.info.programNumber);
    }
    return infos;
}

std::shared_ptr<const PSI_PMT> ProgramTables::pmtOf(int programNumber) const {
    const auto found = std::find_if(programList.begin(), programList.end(), [programNumber](const Program& p) {
        return p.info.programNumber == programNumber;
    });
    return found == programList.end() ? nullptr : found->pmt;
}

void ProgramTables::takeSection(int pid, const AssembledSection& section) {
    if (pid == patPid) return takePatSection(section);
    // A PAT may name the SDT's PID for a PMT: each table takes its own sections.
    if (namesServicesOn(pid)) services.takeSection(section);
    if ((pids.pid_flags[pid] & PID_List::carries_pmt) != 0) takePmtSection(pid, section);
}

void ProgramTables::takePatSection(const AssembledSection& section) {
    const auto flaw = flawOf(section, patTableId);
    if (!flaw) return;
    ++patArrivals;
    lastPatAddress = address;
    for (Program& program : programList) {
        if (program.info.pmt == PmtWait::Awaited && patRepetitionsSince(program.listedAt) >= patsBeforeAbsence) {
            endWait(program, PmtWait::PatsWentBy);
        }
    }
    Section copy = copyOf(section, *flaw);
    if (*flaw == SectionFlaw::None) return takePat(copy);
    ++patTally[static_cast<std::size_t>(*flaw)];
    const std::size_t number = section.bytes.size() > 6 ? section.bytes[6] : 0;
    if (number < pat.size() && pat[number] && patFlaws[number] == SectionFlaw::None) return;
    Unsound& unsound = patUnsound[static_cast<int>(number)];
    const bool first = !unsound.first;
    if (first) unsound.first = copy;
    if (++unsound.count == unsoundBeforeFallback) unsoundPatFinal = true;
    // The first is taken at once, for its PMTs to be collected while a
    // sound repetition, which would replace it, is awaited.
    if (first) takePat(copy);
}

bool ProgramTables::patUnsoundNow() const {
    return std::any_of(patFlaws.begin(), patFlaws.end(), [](SectionFlaw flaw) { return flaw != SectionFlaw::None; });
}

int ProgramTables::patRepetitionsSince(int arrival) const {
    return (patArrivals - arrival) / std::max<int>(1, static_cast<int>(pat.size()));
}

void ProgramTables::takePat(const Section& section) {
    // The PAT repeats several times a second, nearly always unchanged: its
    // version and section number tell a repetition before it is parsed.
    if (section.bytes.size() < PSI_section_header::size) return;
    const int version = section.bytes[5] >> 1 & 0x1F;
    const std::size_t number = section.bytes[6];
    const bool otherVersion = patVersion && *patVersion != version;
    // An unsound section replaces nothing; a sound one replaces what was taken unsound.
    if (section.flaw != SectionFlaw::None && otherVersion) return;
    if (otherVersion || (section.flaw == SectionFlaw::None && patUnsoundNow())) {
        replacePat(version);
    } else if (number < pat.size() && pat[number]) {
        return;  // a repetition
    }
    auto table = std::make_shared<PSI_PAT>();
    table->parse(section.bytes.data(), &position, declaredSize(section.bytes), static_cast<int>(section.bytes.size()),
                 notices);
    patVersion = version;
    const std::size_t sections = std::max<std::size_t>({pat.size(), table->header.last_section_number.value + 1u,
                                                        number + 1});
    pat.resize(sections);
    patFlaws.resize(sections);
    pat[number] = table;
    patFlaws[number] = section.flaw;
    for (const PSI_PAT_Program* entry = table->programs.get(); entry != nullptr; entry = entry->next.get()) {
        listProgram(*entry, static_cast<int>(number));
    }
    // In the PAT's order, whichever of its sections came first.
    std::stable_sort(programList.begin(), programList.end(),
                     [](const Program& a, const Program& b) { return a.section < b.section; });
    pids.pat_complete = std::all_of(pat.begin(), pat.end(), [](const auto& taken) { return taken != nullptr; });
}

void ProgramTables::replacePat(int version) {
    if (*patVersion != version && !patUnsoundNow()) patVersions.emplace_back(*patVersion, version);
    replaced = std::move(programList);
    programList.clear();
    for (const Program& program : replaced) {
        const int pid = program.info.pmtPid;
        if (pid == patPid) continue;
        pids.pid_flags[pid] &= ~PID_List::carries_pmt;
        if (!namesServicesOn(pid)) pids.pid_flags[pid] &= ~PID_List::carries_psi;
    }
    pids.pending_pmt_pids.clear();
    pids.parsed_pmt_pids.clear();
    pids.pat_complete = false;
    pat.clear();
    patFlaws.clear();
    patUnsound.clear();
    unsoundPatFinal = false;
}

void ProgramTables::listProgram(const PSI_PAT_Program& entry, int section) {
    const int number = entry.program_number.value;
    // Program 0 names the network PID, which carries no PMT.
    if (number == 0) return;
    const auto numbered = [number](const Program& p) { return p.info.programNumber == number; };
    if (std::any_of(programList.begin(), programList.end(), numbered)) return;
    const int pid = entry.program_map_PID.value;
    Program program;
    const auto earlier = std::find_if(replaced.begin(), replaced.end(),
                                      [&](const Program& p) { return numbered(p) && p.info.pmtPid == pid; });
    if (earlier != replaced.end()) {
        program = std::move(*earlier);
        replaced.erase(earlier);
    } else {
        program.info.pmtPid = pid;
        program.info.programNumber = number;
    }
    program.listedAt = patArrivals;
    program.section = section;
    pids.pid_flags[pid] |= PID_List::wanted | PID_List::carries_pmt | PID_List::carries_psi;
    pids.program_numbers[pid] = static_cast<std::uint32_t>(number);
    auto& pending = pids.pending_pmt_pids;
    if (program.info.pmt == PmtWait::Awaited && std::find(pending.begin(), pending.end(), pid) == pending.end()) {
        pending.push_back(pid);
    }
    programList.push_back(std::move(program));
}

void ProgramTables::takePmtSection(int pid, const AssembledSection& section) {
    const auto flaw = flawOf(section, pmtTableId);
    if (!flaw) return;
    const int number = extensionOf(section.bytes);
    if (*flaw != SectionFlaw::None) ++pmtTallies[{pid, number}][static_cast<std::size_t>(*flaw)];
    const auto on = programsOn(pid);
    const auto found = std::find_if(on.begin(), on.end(), [number](const Program* p) {
        return p->info.programNumber == number;
    });
    if (found == on.end()) {
        const bool inPat = std::any_of(programList.begin(), programList.end(),
                                       [number](const Program& p) { return p.info.programNumber == number; });
        if (*flaw == SectionFlaw::None && !inPat && on.size() == 1) takeForeignPmt(*on.front(), section);
        return;
    }
    Program& program = **found;
    Section copy = copyOf(section, *flaw);
    if (*flaw == SectionFlaw::None) {
        // A sound section is taken unless one is in; a late one for a program no longer waited for is welcome.
        if (program.info.pmt != PmtWait::Taken || program.takenFlaw != SectionFlaw::None) takePmt(program, copy);
        return;
    }
    if (program.info.pmt != PmtWait::Awaited) return;
    Unsound& unsound = program.unsound;
    if (!unsound.first) unsound.first = std::move(copy);
    if (++unsound.count == unsoundBeforeFallback) takePmt(program, *unsound.first);
}

void ProgramTables::takeForeignPmt(Program& program, const AssembledSection& section) {
    // The only program on its PID; whether the PMT stands for it shows once its own is not coming.
    if (program.info.pmt == PmtWait::Taken) return;
    Section copy = copyOf(section, SectionFlaw::None);
    if (program.info.pmt == PmtWait::Awaited) {
        foreignPmts.try_emplace(program.info.pmtPid, std::move(copy));
    } else {
        takePmt(program, copy);
    }
}

void ProgramTables::takePmt(Program& program, const Section& section) {
    auto table = std::make_shared<PSI_PMT>();
    table->parse(section.bytes.data(), declaredSize(section.bytes), &position, static_cast<int>(section.bytes.size()),
                 notices);
    ProgramInfo info;
    info.pmtPid = program.info.pmtPid;
    info.programNumber = program.info.programNumber;
    program.info = info;
    program.pmt = table;
    program.takenFlaw = section.flaw;
    const int number = table->program_number().value;
    program.foreignNumber = number == info.programNumber ? std::nullopt : std::optional<int>(number);
    program.info.hdmv = namesHdmv(table->program_info_descriptors.get());
    pids.pid_flags[table->PCR_PID.value] |= PID_List::wanted | PID_List::carries_pcr;
    for (const auto* entry = table->streams.get(); entry != nullptr; entry = entry->next.get()) {
        pids.pid_flags[entry->elementary_PID.value] |= PID_List::wanted | entry->stream_type.value;
        takeStream(program.info, *entry);
    }
    program.info.pmt = PmtWait::Taken;
    settle(info.pmtPid);
}

void ProgramTables::takeStream(ProgramInfo& program, const PSI_PMT_Program_Info_Loop& entry) {
    const int pid = entry.elementary_PID.value;
    const std::uint8_t type = entry.stream_type.value;
    program.hasAudio = program.hasAudio || carriesSound(entry);
    program.hdmv = program.hdmv || namesHdmv(entry.descriptors.get());
    if (program.videoStreamType == -1 && isVideoType(type)) program.videoStreamType = type;
    if (isReadVideoType(type)) {
        program.videoStreams.push_back({pid, type});
        // Until the search finds which carries packets, the first whose coding says video.
        if (program.videoPid == -1 && type != cableMpeg2VideoType) {
            program.videoPid = pid;
            program.videoStreamType = type;
        }
    }
    switch (type) {
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

void ProgramTables::endWait(Program& program, PmtWait why) {
    const int pid = program.info.pmtPid;
    const auto foreign = foreignPmts.find(pid);
    if (program.unsound.first) {
        takePmt(program, *program.unsound.first);
    } else if (foreign != foreignPmts.end() && programsOn(pid).size() == 1) {
        takePmt(program, foreign->second);
    } else {
        program.info.pmt = why;
        settle(pid);
    }
}

void ProgramTables::settle(int pid) {
    const bool awaited = std::any_of(programList.begin(), programList.end(), [pid](const Program& p) {
        return p.info.pmtPid == pid && p.info.pmt == PmtWait::Awaited;
    });
    auto& pending = pids.pending_pmt_pids;
    if (!awaited && std::find(pending.begin(), pending.end(), pid) != pending.end()) pids.mark_pmt_parsed(pid);
}

std::vector<ProgramTables::Program*> ProgramTables::programsOn(int pid) {
    std::vector<Program*> on;
    for (Program& program : programList) {
        if (program.info.pmtPid == pid) on.push_back(&program);
    }
    return on;
}

void ProgramTables::report(const ProbeReport& report) const {
    if (report.discards()) return;
    reportPat(report);
    for (const Program& program : programList) {
        if (program.pmt) reportPmt(program, report);
    }
    for (const auto& [key, tally] : pmtTallies) {
        const auto& [pid, number] = key;
        const bool shown = std::any_of(programList.begin(), programList.end(), [&key = key](const Program& p) {
            return p.pmt && p.info.pmtPid == key.first && p.info.programNumber == key.second;
        });
        if (shown) continue;
        report.print("PMT (PID 0x%04X, program %d), no program of the PAT:", pid, number);
        reportTally(report.nested(), tally);
    }
    if (namingServices) services.report(report);
}

void ProgramTables::reportPat(const ProbeReport& report) const {
    if (pat.empty() && !patSeen()) return;
    report.print("PAT (PID 0x%04X):", patPid);
    const ProbeReport nested = report.nested();
    for (const auto& section : pat) {
        if (section) section->dump(nested.sink(), indented);
    }
    for (const auto& [from, to] : patVersions) {
        nested.print("Version %d replaced version %d: its programs are the ones above", to, from);
    }
    reportTally(nested, patTally);
    for (const SectionFlaw flaw : patFlaws) reportFallback(nested, flaw);
}

void ProgramTables::reportPmt(const Program& program, const ProbeReport& report) const {
    const int pid = program.info.pmtPid;
    report.print("PMT (PID 0x%04X, program %d):", pid, program.info.programNumber);
    const ProbeReport nested = report.nested();
    program.pmt->dump(nested.sink(), indented, headed_descriptor);
    if (program.foreignNumber) {
        nested.print("Its program_number %d is no program of the PAT: taken for program %d, the only one on its PID",
                     *program.foreignNumber, program.info.programNumber);
    }
    const auto tally = pmtTallies.find({pid, program.info.programNumber});
    if (tally != pmtTallies.end()) reportTally(nested, tally->second);
    reportFallback(nested, program.takenFlaw);
}

}  // namespace cut2edl
