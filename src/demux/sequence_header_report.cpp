#include "demux/sequence_header_report.h"

namespace cut2edl {

namespace {

constexpr std::uint8_t extensionKind = 0xB5;

}  // namespace

void report_sequence_header(const ProbeReport& report, const MPEG_Header& headers) {
    if (report.discards()) return;
    report.line("Sequence header:");
    headers.dump_own(report.nested().sink());
    for (const MPEG_Header* extension = headers.next.get(); extension != nullptr && extension->kind() == extensionKind;
         extension = extension->next.get()) {
        report.line("Extension:");
        extension->dump_own(report.nested().sink());
    }
}

}  // namespace cut2edl
