#include "demux/ServiceTable.h"

#include <algorithm>

#include "descriptors/create_descriptor.h"
#include "descriptors/dvb_text.h"
#include "descriptors/service_descriptor.h"

namespace cut2edl {

namespace {

constexpr std::uint8_t actualSdtTableId = 0x42;
constexpr std::uint8_t serviceDescriptorTag = 0x48;

}  // namespace

ServiceTable::ServiceTable(NoticeSink noticeSink) : notices(std::move(noticeSink)) {}

void ServiceTable::takeSection(const AssembledSection& section) {
    // The SDTs of other transport streams (0x46) share the PID.
    if (section.bytes.empty() || section.bytes[0] != actualSdtTableId) return;
    const auto flaw = flawOf(section, actualSdtTableId);
    if (!flaw) return;
    seen = true;
    if (*flaw != SectionFlaw::None) ++tally[static_cast<std::size_t>(*flaw)];
    if (section.bytes.size() < PSI_section_header::size) return;
    const int sectionVersion = section.bytes[5] >> 1 & 0x1F;
    const std::size_t number = section.bytes[6];
    const bool otherVersion = version && *version != sectionVersion;
    if (*flaw != SectionFlaw::None) {
        // An unsound section replaces nothing, and fills only a gap of its own version.
        const bool gap = number >= sections.size() || !sections[number];
        if (!otherVersion && gap) take(copyOf(section, *flaw), sectionVersion, number);
        return;
    }
    if (otherVersion) sections.clear();
    const bool soundIn = number < sections.size() && sections[number] && sections[number]->flaw == SectionFlaw::None;
    if (!soundIn) take(copyOf(section, SectionFlaw::None), sectionVersion, number);
}

void ServiceTable::take(const KeptSection& section, int sectionVersion, std::size_t number) {
    auto table = std::make_shared<PSI_SDT>();
    table->parse(section.bytes.data(), declaredSize(section.bytes), &position, static_cast<int>(section.bytes.size()),
                 notices);
    version = sectionVersion;
    sections.resize(std::max<std::size_t>({sections.size(), table->header.last_section_number.value + 1u, number + 1}));
    sections[number] = Taken{table, section.flaw};
}

std::optional<std::string> ServiceTable::serviceName(int serviceId) const {
    for (const auto& section : sections) {
        if (!section) continue;
        for (const PSI_SDT_Service* service = section->table->services.get(); service != nullptr;
             service = service->next.get()) {
            if (service->service_id.value != serviceId) continue;
            for (const Descriptor* d = service->descriptors.get(); d != nullptr; d = d->next.get()) {
                if (d->descriptor_tag.value != serviceDescriptorTag) continue;
                return dvb_text_to_utf8(static_cast<const service_descriptor&>(*d).service_name_bytes.value);
            }
        }
    }
    return std::nullopt;
}

void ServiceTable::report(const ProbeReport& report) const {
    if (!seen) {
        report.print("SDT (PID 0x%04X): none passed by while the tables were read, so the programs go unnamed",
                     sdtPid);
        return;
    }
    report.print("SDT (PID 0x%04X):", sdtPid);
    const ProbeReport nested = report.nested();
    for (const auto& section : sections) {
        if (section) section->table->dump(nested.sink(), indented, headed_descriptor);
    }
    reportTally(nested, tally);
    for (const auto& section : sections) {
        if (section) reportFallback(nested, section->flaw);
    }
}

}  // namespace cut2edl
