#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "demux/ProbeReport.h"
#include "demux/PsiSectionAssembler.h"
#include "demux/section_soundness.h"
#include "mpeg/line_sink.h"
#include "ts/PSI_SDT.h"

namespace cut2edl {

// The SDT of the transport stream itself (table_id 0x42; the SDTs of other
// streams on the same PID are passed over), as far as its sections pass by
// during the walk over the tables: nothing waits for it, as the rate needs no
// name. Sound sections are taken as the PAT's are; an unsound one only while
// no sound one of its section_number has come.
class ServiceTable {
public:
    static constexpr int sdtPid = 0x0011;

    explicit ServiceTable(NoticeSink notices = notice_to_stdout);

    void takeSection(const AssembledSection& section);

    // The name that the service descriptor of the service gives, as UTF-8;
    // none when no section taken names it.
    std::optional<std::string> serviceName(int serviceId) const;

    // The sections taken, and the ones passed over and why.
    void report(const ProbeReport& report) const;

private:
    struct Taken {
        std::shared_ptr<PSI_SDT> table;
        SectionFlaw flaw = SectionFlaw::None;
    };
    void take(const KeptSection& section, int version, std::size_t number);

    NoticeSink notices;
    std::vector<std::optional<Taken>> sections;
    std::optional<int> version;
    FlawTally tally{};
    bool seen = false;
    // The parsers' running byte counter.
    int position = 1;
};

}  // namespace cut2edl
