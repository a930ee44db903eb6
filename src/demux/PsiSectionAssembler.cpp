#include "demux/PsiSectionAssembler.h"

#include <algorithm>

namespace cut2edl {

namespace {

constexpr int packetSize = 188;
constexpr int lengthFieldEnd = 3;
constexpr std::uint8_t stuffingByte = 0xFF;

}  // namespace

void PsiSectionAssembler::feed(const std::uint8_t* packet, const TSPacketHeader& header, int payloadOffset,
                               const Take& take) {
    // Only packets with a payload advance the counter.
    if (!header.has_payload() || repeatsLastPacket(static_cast<int>(header.continuity_counter))) return;
    if (payloadOffset < 0) return;
    const SectionFlaw packetFlaw = header.transport_error_indicator ? SectionFlaw::TransportError : SectionFlaw::None;
    mark(packetFlaw);
    const std::uint8_t* from = packet + payloadOffset;
    const std::uint8_t* end = packet + packetSize;
    if (!header.payload_unit_start_indicator) return continueSection(from, end, take);
    const int pointer = *from++;
    const std::uint8_t* start = from + std::min<std::ptrdiff_t>(pointer, end - from);
    continueSection(from, start, take);
    if (active) {
        // A new section begins before this one is whole: what it lacks was lost.
        mark(SectionFlaw::LostPacket);
        deliver(take);
    }
    for (from = start; from < end && *from != stuffingByte && !active;) {
        begin(packetFlaw);
        continueSection(from, end, take);
    }
}

void PsiSectionAssembler::finish(const Take& take) {
    if (!active) return;
    mark(SectionFlaw::CutOff);
    deliver(take);
}

bool PsiSectionAssembler::repeatsLastPacket(int counter) {
    if (lastCounter >= 0) {
        // A multiplexer may send a packet twice, once; its bytes are in already.
        if (counter == lastCounter && !repeated) return repeated = true;
        if (counter != ((lastCounter + 1) & 0x0F)) mark(SectionFlaw::LostPacket);
    }
    repeated = false;
    lastCounter = counter;
    return false;
}

void PsiSectionAssembler::begin(SectionFlaw packetFlaw) {
    bytes.clear();
    active = true;
    flaw = packetFlaw;
}

void PsiSectionAssembler::mark(SectionFlaw found) {
    if (active) flaw = firstFlaw(flaw, found);
}

int PsiSectionAssembler::missing() const {
    const int size = static_cast<int>(bytes.size());
    if (size < lengthFieldEnd) return lengthFieldEnd - size;
    return ((bytes[1] & 0x0F) << 8 | bytes[2]) + lengthFieldEnd - size;
}

void PsiSectionAssembler::continueSection(const std::uint8_t*& from, const std::uint8_t* end, const Take& take) {
    while (active && from < end) {
        const auto count = std::min<std::ptrdiff_t>(missing(), end - from);
        bytes.insert(bytes.end(), from, from + count);
        from += count;
        if (missing() == 0) deliver(take, {from, end});
    }
}

void PsiSectionAssembler::deliver(const Take& take, std::span<const std::uint8_t> following) {
    active = false;
    take({bytes, following, flaw});
}

}  // namespace cut2edl
