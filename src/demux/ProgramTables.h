#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "demux/ProbeReport.h"
#include "demux/PsiSectionAssembler.h"
#include "demux/ServiceTable.h"
#include "demux/section_soundness.h"
#include "mpeg/line_sink.h"
#include "ts/PID_List.h"
#include "ts/PSI_PAT.h"
#include "ts/PSI_PMT.h"
#include "ts/TSPacketHeader.h"

namespace cut2edl {

// How the wait for a program's PMT stands.
enum class PmtWait : std::uint8_t {
    Awaited,
    Taken,
    PatsWentBy,   // three further PATs went by without it
    BytesWentBy,  // 4 MiB went by without it or a PAT
    WalkEnded,    // the walk over the tables ended first
};

// What the probe learns of one program of the PAT. Its "sequence header" is
// the parameter set of its video's coding that gives the frame size.
struct ProgramInfo {
    double frameRate = -1.0;
    std::int32_t pmtPid = -1;
    std::int32_t programNumber = -1;
    std::int32_t audioPid = -1;
    std::int32_t videoPid = -1;
    std::int32_t height = -1;
    std::int32_t width = -1;
    // 2 when the audio is AC-3 signalled with stream_type 0x81, 0 otherwise.
    std::int32_t audioKind = 0;
    // Any stream of a kind that carries sound, whatever its signalling.
    bool hasAudio = false;
    PmtWait pmt = PmtWait::Awaited;
    // The stream_type of the video on videoPid, or of the program's first
    // video stream of a coding that is not read; -1 when it has none.
    std::int32_t videoStreamType = -1;
    // The name of its service in the SDT, as UTF-8; none when no SDT named it.
    std::optional<std::string> serviceName;
    // Every stream of a video coding that is read, in the PMT's order; the
    // video is the first whose PID carries packets (videoPid until then).
    struct VideoStream {
        std::int32_t pid;
        std::int32_t streamType;
    };
    std::vector<VideoStream> videoStreams;
    // A registration descriptor names the format HDMV (Blu-ray), where stream_type 0x80 is LPCM audio.
    bool hdmv = false;
    // No program of the tables: a PID whose PES packets carry a video stream id.
    bool foundByStartCodes = false;

    bool pmtParsed() const { return pmt == PmtWait::Taken; }
    bool hasSequenceHeader() const { return width != -1 && height != -1; }
    bool complete() const { return audioPid != -1 && videoPid != -1 && hasSequenceHeader() && audioKind != 0; }
};

// The PAT and the PMTs of a transport stream, collected from the packets of
// a walk over its beginning as broadcasters send them: several programs may
// share one PMT PID, sections arrive damaged and are sent again, tables
// change version, and a recording of one program may keep the PAT of the
// whole multiplex. Only sound sections are taken (CRC_32 right, no packet
// with an error or missing, in force now), unless a table comes only
// unsound; a program whose PMT does not come while the PAT repeats is not
// waited for.
class ProgramTables {
public:
    static constexpr int patPid = 0;
    // How many further PATs, or how many bytes without one, a PMT may take to come.
    static constexpr int patsBeforeAbsence = 3;
    static constexpr std::int64_t bytesBeforeAbsence = 4 * 1024 * 1024;
    // How many unsound repetitions of a table make the first of them taken.
    static constexpr int unsoundBeforeFallback = 3;

    // The SDT is read only when `nameServices` is set: the names serve a
    // report, and a conversion need not pay for them.
    explicit ProgramTables(NoticeSink notices = notice_to_stdout, bool nameServices = false);

    // Takes the next packet of the walk, lying at byte `address`, its header
    // parsed into `header`, its payload at `payloadOffset` (-1: none).
    void takePacket(const std::uint8_t* packet, const TSPacketHeader& header, int payloadOffset,
                    std::int64_t address);
    // The walk ends before every table is in: what came only unsound or
    // cut off is taken, and no program is waited for any more.
    void finish();

    // A PAT is in for good and no program's PMT is awaited.
    bool complete() const { return pids.all_pmts_parsed() && (unsoundPatFinal || !patUnsoundNow()); }
    bool patSeen() const { return patArrivals > 0; }
    // The programs of the PAT in force, in its order.
    std::vector<ProgramInfo> programs() const;
    // The sections of the PAT in force by section_number (null: not come).
    const std::vector<std::shared_ptr<PSI_PAT>>& patSections() const { return pat; }
    // The PMT taken for a program of the PAT; null when none was.
    std::shared_ptr<const PSI_PMT> pmtOf(int programNumber) const;

    // The tables taken, which PMT came on which PID, the services, and the sections passed over and why.
    void report(const ProbeReport& report) const;

private:
    using Section = KeptSection;
    using Tally = FlawTally;
    // The unsound sections of a table that came while no sound one did.
    struct Unsound {
        std::optional<Section> first;
        int count = 0;
    };
    struct Program {
        ProgramInfo info;
        // patArrivals when the PAT listing it was taken, and the section_number that lists it.
        int listedAt = 0;
        int section = 0;
        Unsound unsound;
        std::shared_ptr<PSI_PMT> pmt;
        SectionFlaw takenFlaw = SectionFlaw::None;
        // The program_number of a PMT taken for the only program of its PID, when it is another.
        std::optional<int> foreignNumber;
    };

    void takeSection(int pid, const AssembledSection& section);
    bool namesServicesOn(int pid) const { return namingServices && pid == ServiceTable::sdtPid; }
    void takePatSection(const AssembledSection& section);
    void takePat(const Section& section);
    void replacePat(int version);
    void listProgram(const PSI_PAT_Program& entry, int section);
    int patRepetitionsSince(int arrival) const;
    bool patUnsoundNow() const;

    void takePmtSection(int pid, const AssembledSection& section);
    void takeForeignPmt(Program& program, const AssembledSection& section);
    void takePmt(Program& program, const Section& section);
    void takeStream(ProgramInfo& program, const PSI_PMT_Program_Info_Loop& entry);
    void endWait(Program& program, PmtWait why);
    // Moves the PID from the pending PMT PIDs once none of its programs is awaited.
    void settle(int pid);
    std::vector<Program*> programsOn(int pid);

    void reportPat(const ProbeReport& report) const;
    void reportPmt(const Program& program, const ProbeReport& report) const;

    NoticeSink notices;
    PID_List pids;
    std::map<int, PsiSectionAssembler> assemblers;
    ServiceTable services;
    bool namingServices;
    // The header parsers' running byte counter.
    int position = 1;
    std::int64_t address = 0;

    std::vector<std::shared_ptr<PSI_PAT>> pat;
    std::vector<SectionFlaw> patFlaws;
    std::optional<int> patVersion;
    // PAT sections of any kind that came, and where the last one did.
    int patArrivals = 0;
    std::int64_t lastPatAddress = 0;
    std::map<int, Unsound> patUnsound;
    // An unsound PAT taken stays taken: three repetitions came unsound, or no more will come.
    bool unsoundPatFinal = false;
    Tally patTally{};
    // The version changes taken: {from, to}.
    std::vector<std::pair<int, int>> patVersions;

    std::vector<Program> programList;
    // The programs of the PAT replaced last, for a new version that lists them again.
    std::vector<Program> replaced;
    // Per PID, the first sound PMT whose program_number is no program on it.
    std::map<int, Section> foreignPmts;
    std::map<std::pair<int, int>, Tally> pmtTallies;
};

}  // namespace cut2edl
