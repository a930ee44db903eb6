#include "demux/section_soundness.h"

#include <string>

#include "ts/PSI_section_header.h"
#include "ts/crc32_mpeg2.h"

namespace cut2edl {

namespace {

// A section whose length field is not in yet is taken to be as long as any may be.
constexpr int maxSectionSize = 0xFFF + PSI_section_header::bytes_before_section_length_end;

const char* flawText(SectionFlaw flaw) {
    switch (flaw) {
        case SectionFlaw::TransportError: return "received with transport_error_indicator set";
        case SectionFlaw::LostPacket: return "missing a packet (continuity_counter out of order)";
        case SectionFlaw::CutOff: return "cut off by the end of the walk";
        case SectionFlaw::WrongCrc: return "with a wrong CRC_32";
        case SectionFlaw::NextVersion: return "with current_next_indicator 0 (not yet in force)";
        case SectionFlaw::None: break;
    }
    return "sound";
}

}  // namespace

KeptSection copyOf(const AssembledSection& section, SectionFlaw flaw) {
    KeptSection copy{{section.bytes.begin(), section.bytes.end()}, flaw};
    // The parsers take the CRC_32 into the rendering only when stuffing follows it.
    if (!section.following.empty()) copy.bytes.push_back(section.following.front());
    return copy;
}

std::optional<SectionFlaw> flawOf(const AssembledSection& section, std::uint8_t tableId) {
    if (section.flaw != SectionFlaw::None) return section.flaw;
    const auto bytes = section.bytes;
    if (bytes.size() < PSI_section_header::size + PSI_section_header::crc_size ||
        crc32_mpeg2(bytes.data(), bytes.size()) != 0) {
        return SectionFlaw::WrongCrc;
    }
    // A sound section of another table on the PID, private data say, is no repetition of this one.
    if (bytes[0] != tableId) return std::nullopt;
    if ((bytes[5] & 0x01) == 0) return SectionFlaw::NextVersion;
    return SectionFlaw::None;
}

int declaredSize(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < PSI_section_header::bytes_before_section_length_end) return maxSectionSize;
    return ((bytes[1] & 0x0F) << 8 | bytes[2]) + PSI_section_header::bytes_before_section_length_end;
}

void reportTally(const ProbeReport& report, const FlawTally& tally) {
    std::string line;
    for (int flaw = 1; flaw < sectionFlawCount; ++flaw) {
        const int count = tally[static_cast<std::size_t>(flaw)];
        if (count == 0) continue;
        line += (line.empty() ? "Passed over: " : ", ") + std::to_string(count) + (count == 1 ? " section " : " sections ") +
                flawText(static_cast<SectionFlaw>(flaw));
    }
    if (!line.empty()) report.line(line);
}

void reportFallback(const ProbeReport& report, SectionFlaw flaw) {
    if (flaw != SectionFlaw::None) {
        report.print("Taken though unsound, as no sound one came: the first, %s", flawText(flaw));
    }
}

}  // namespace cut2edl
