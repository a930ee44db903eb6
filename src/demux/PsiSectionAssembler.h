#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "ts/TSPacketHeader.h"

namespace cut2edl {

// Why a section cannot be taken as it came. A section with several flaws has
// the first of them in this order.
enum class SectionFlaw : std::uint8_t {
    None,
    TransportError,  // a packet it came in had transport_error_indicator set
    LostPacket,      // its packets' continuity_counter skipped: one was lost
    CutOff,          // the walk over the packets ended before it did
    WrongCrc,
    NextVersion,  // current_next_indicator 0: a table not yet in force
};
constexpr int sectionFlawCount = 6;

// Keeps the first flaw that a section has, in the order above.
constexpr SectionFlaw firstFlaw(SectionFlaw had, SectionFlaw found) {
    return had == SectionFlaw::None || (found != SectionFlaw::None && found < had) ? found : had;
}

struct AssembledSection {
    std::span<const std::uint8_t> bytes;
    // What follows the section in the packet that ends it (0xFF stuffing, or the next section).
    std::span<const std::uint8_t> following;
    SectionFlaw flaw = SectionFlaw::None;
};

// Puts the sections of one PID together from its packets as they come in
// order: a packet that starts a payload unit ends the section before it with
// the bytes its pointer_field passes over, then starts as many sections as it
// holds up to a 0xFF stuffing byte; the last may run on into the packets
// behind it. Flaws in the packets are kept with the sections they touch.
class PsiSectionAssembler {
public:
    using Take = std::function<void(const AssembledSection&)>;

    // Takes the next packet of the PID, whose header is parsed and whose
    // payload begins at `payloadOffset` (-1: none); hands each section it
    // completes to `take`.
    void feed(const std::uint8_t* packet, const TSPacketHeader& header, int payloadOffset, const Take& take);
    // Hands a section still in progress to `take`, flawed as cut off.
    void finish(const Take& take);

private:
    // Whether the packet with this counter repeats the one before, which
    // was taken already; notes a lost packet in the section in progress.
    bool repeatsLastPacket(int counter);
    void begin(SectionFlaw flaw);
    void mark(SectionFlaw flaw);
    // Appends what the section in progress still lacks, from `from` up to `end`.
    void continueSection(const std::uint8_t*& from, const std::uint8_t* end, const Take& take);
    void deliver(const Take& take, std::span<const std::uint8_t> following = {});
    int missing() const;

    std::vector<std::uint8_t> bytes;
    bool active = false;
    SectionFlaw flaw = SectionFlaw::None;
    int lastCounter = -1;
    bool repeated = false;
};

}  // namespace cut2edl
