#include "demux/packet_sync.h"

namespace cut2edl {

namespace {

constexpr int plainPacketSize = 188;
constexpr int checkedPlaces = 15;
constexpr int wrongPlacesAllowed = 1;
constexpr int consecutivePackets = 5;
constexpr int fewestPackets = 2;

bool syncAt(const std::uint8_t* bytes, std::size_t available, std::size_t offset) {
    return offset < available && bytes[offset] == transportSyncByte;
}

// At most one wrong byte among the 15 places behind the candidate; a place
// beyond the bytes counts as wrong.
bool mostlySynchronised(const std::uint8_t* bytes, std::size_t available) {
    int wrong = 0;
    for (int place = 1; place <= checkedPlaces; ++place) {
        if (!syncAt(bytes, available, static_cast<std::size_t>(place) * plainPacketSize)) ++wrong;
    }
    return wrong <= wrongPlacesAllowed;
}

// Every packet start at `size` steps holds 0x47: five of them, or all that
// the bytes hold when they end sooner, at least two.
bool consecutivelySynchronised(const std::uint8_t* bytes, std::size_t available, int size) {
    int packets = 0;
    for (std::size_t offset = 0; packets < consecutivePackets && offset < available; offset += static_cast<std::size_t>(size)) {
        if (bytes[offset] != transportSyncByte) return false;
        ++packets;
    }
    return packets >= fewestPackets;
}

}  // namespace

int packetSizeAt(const std::uint8_t* bytes, std::size_t available) {
    if (available == 0 || bytes[0] != transportSyncByte) return 0;
    if (available > syncCheckSpan) available = syncCheckSpan;
    if (mostlySynchronised(bytes, available)) return plainPacketSize;
    for (const int size : transportPacketSizes) {
        if (consecutivelySynchronised(bytes, available, size)) return size;
    }
    return 0;
}

}  // namespace cut2edl
