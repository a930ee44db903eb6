#include "demux/CDVB_Stream.h"

#include <algorithm>
#include <utility>

namespace cut2edl {

namespace {

// A candidate sync byte is checked at this many packet starts behind it, and
// accepted when at most one of them is wrong.
constexpr int syncChecks = 15;
constexpr int wrongSyncsAllowed = 1;

int pidOf(const std::uint8_t* packet) { return (packet[1] & 0x1F) << 8 | packet[2]; }
bool startsPayloadUnit(const std::uint8_t* packet) { return (packet[1] & 0x40) != 0; }

}  // namespace

CDVB_Stream::CDVB_Stream(NoticeSink noticeSink) : notices(std::move(noticeSink)) {}

bool CDVB_Stream::open(const std::string& streamPath) {
    close();
    if (!file.open(streamPath)) {
        notices("Failure to open stream!");
        return false;
    }
    path = streamPath;
    if (!findFirstSync()) {
        notices("Could not find start of Header - check stream!");
        close();
        return false;
    }
    return true;
}

void CDVB_Stream::close() {
    file.close();
    path.clear();
    firstSyncOffset = -1;
    syncPoints.clear();
    atEnd = false;
}

bool CDVB_Stream::findFirstSync() {
    const std::int64_t end = std::min(file.size(), searchBound);
    for (std::int64_t candidate = file.find(syncByte, 0, end); candidate >= 0;) {
        int wrong = 0;
        for (int check = 1; check <= syncChecks; ++check) {
            const std::uint8_t* byte = file.bytes(candidate + std::int64_t{check} * packetSize, 1);
            if (file.failed()) {
                notices("Problem with the stream...");
                return false;
            }
            if (byte == nullptr || *byte != syncByte) ++wrong;
        }
        if (wrong <= wrongSyncsAllowed) {
            firstSyncOffset = candidate;
            syncPoints.push_back({0, candidate});
            return true;
        }
        // The search goes on behind the last place checked.
        candidate = file.find(syncByte, candidate + std::int64_t{syncChecks} * packetSize + 1, end);
    }
    return false;
}

std::int64_t CDVB_Stream::addressOf(std::int64_t packet) const {
    auto point = std::upper_bound(syncPoints.begin(), syncPoints.end(), packet,
                                  [](std::int64_t n, const SyncPoint& sync) { return n < sync.packetNumber; });
    if (point == syncPoints.begin()) return -1;
    --point;
    return point->byteOffset + packet * packetSize;
}

const std::uint8_t* CDVB_Stream::packetAt(std::int64_t n) {
    if (!isOpen() || n < 0) return nullptr;
    const std::uint8_t* packet = file.bytes(addressOf(n), packetSize);
    if (packet != nullptr && packet[0] != syncByte) {
        resync(n);
        packet = file.bytes(addressOf(n), packetSize);
    }
    atEnd = packet == nullptr;
    return packet;
}

void CDVB_Stream::resync(std::int64_t n) {
    const std::int64_t failedAt = addressOf(n);
    const std::int64_t from = failedAt + packetSize;
    const std::int64_t found = file.find(syncByte, from, from + searchBound);
    if (found < 0) return;
    // Packet n is the one that begins at the sync byte found, and the packets
    // behind it follow at 188-byte steps.
    const SyncPoint point{n, found - n * packetSize};
    auto place = std::lower_bound(syncPoints.begin(), syncPoints.end(), n,
                                  [](const SyncPoint& sync, std::int64_t number) { return sync.packetNumber < number; });
    if (place != syncPoints.end() && place->packetNumber == n) {
        *place = point;
    } else {
        syncPoints.insert(place, point);
    }
}

bool CDVB_Stream::readPacket(std::int64_t n, std::uint8_t* buffer) {
    const std::uint8_t* packet = packetAt(n);
    if (packet == nullptr) return false;
    std::copy_n(packet, packetSize, buffer);
    return true;
}

std::int64_t CDVB_Stream::findPayloadStartForward(int pid, std::int64_t first, std::int64_t endAddress) {
    for (std::int64_t n = std::max<std::int64_t>(first, 0); addressOf(n) < endAddress; ++n) {
        const std::uint8_t* packet = packetAt(n);
        if (packet == nullptr) return -1;
        if (pidOf(packet) == pid && startsPayloadUnit(packet)) return n;
    }
    return -1;
}

std::int64_t CDVB_Stream::findPayloadStartBackward(std::int64_t last, int pid) {
    for (std::int64_t n = last; n >= 0; --n) {
        const std::uint8_t* packet = packetAt(n);
        if (packet == nullptr) return -1;
        if (pidOf(packet) == pid && startsPayloadUnit(packet)) return n;
    }
    return -1;
}

}  // namespace cut2edl
