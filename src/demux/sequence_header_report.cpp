#include "demux/sequence_header_report.h"

namespace cut2edl {

namespace {

constexpr std::uint8_t extensionKind = 0xB5;

}  // namespace

void report_sequence_header(const ProbeReport& report, const mpeg_sequence_header& header) {
    if (report.discards()) return;
    report.line("Sequence header:");
    header.dump_own(report.nested().sink());
    for (const MPEG_Header* extension = header.next.get(); extension != nullptr && extension->kind() == extensionKind;
         extension = extension->next.get()) {
        report.line("Extension:");
        extension->dump_own(report.nested().sink());
    }
    const FrameRateExtension scaling = header.frame_rate_extension();
    if (scaling.n != 0 || scaling.d != 0) {
        report.print("Frame rate scaled by the sequence extension: x %u / %u", scaling.n + 1, scaling.d + 1);
    }
}

}  // namespace cut2edl
