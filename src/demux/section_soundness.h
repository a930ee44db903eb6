#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "demux/ProbeReport.h"
#include "demux/PsiSectionAssembler.h"

// Whether a PSI section that came can be taken, and how the report tells the
// sections passed over: what the PAT, the PMTs and the SDT share.
namespace cut2edl {

// A section kept to be parsed, with the byte that followed it when one did.
struct KeptSection {
    std::vector<std::uint8_t> bytes;
    SectionFlaw flaw = SectionFlaw::None;
};
KeptSection copyOf(const AssembledSection& section, SectionFlaw flaw);

// How many sections of each flaw were passed over.
using FlawTally = std::array<int, sectionFlawCount>;

// The section's flaw as far as its bytes show (CRC_32, current_next_indicator);
// none when it is a sound section of a table other than `tableId`.
std::optional<SectionFlaw> flawOf(const AssembledSection& section, std::uint8_t tableId);

// The size that the section's own section_length gives; as large as any
// section may be while its length field is not in.
int declaredSize(const std::vector<std::uint8_t>& bytes);

// "Passed over: 2 sections with a wrong CRC_32, ...", when any was.
void reportTally(const ProbeReport& report, const FlawTally& tally);
// Why a section was taken though it has `flaw`, when it has one.
void reportFallback(const ProbeReport& report, SectionFlaw flaw);

}  // namespace cut2edl
