#include "demux/CDVB_Stream.h"

#include <algorithm>
#include <utility>

#include "demux/packet_sync.h"

namespace cut2edl {

namespace {

int pidOf(const std::uint8_t* packet) { return (packet[1] & 0x1F) << 8 | packet[2]; }
bool startsPayloadUnit(const std::uint8_t* packet) { return (packet[1] & 0x40) != 0; }
bool cameClear(const std::uint8_t* packet) { return (packet[1] & 0x80) == 0 && (packet[3] & 0xC0) == 0; }

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
    syncLessUntil = 0;
    resyncs = 0;
    stride = packetSize;
    atEnd = false;
}

bool CDVB_Stream::findFirstSync() {
    const std::int64_t end = std::min(file.size(), searchBound);
    for (std::int64_t candidate = file.find(syncByte, 0, end); candidate >= 0;
         candidate = file.find(syncByte, candidate + 1, end)) {
        const auto available = static_cast<std::size_t>(std::min<std::int64_t>(syncCheckSpan, file.size() - candidate));
        const std::uint8_t* bytes = file.bytes(candidate, available);
        if (bytes == nullptr) {
            notices("Problem with the stream...");
            return false;
        }
        const int size = packetSizeAt(bytes, available);
        if (size == 0) continue;  // junk: the search goes on from the next byte
        stride = size;
        firstSyncOffset = candidate;
        syncPoints.push_back({0, candidate});
        return true;
    }
    return false;
}

std::int64_t CDVB_Stream::addressOf(std::int64_t packet) const {
    // Nearly every packet lies behind the last sync point.
    if (!syncPoints.empty() && packet >= syncPoints.back().packetNumber) {
        return syncPoints.back().byteOffset + packet * stride;
    }
    auto point = std::upper_bound(syncPoints.begin(), syncPoints.end(), packet,
                                  [](std::int64_t n, const SyncPoint& sync) { return n < sync.packetNumber; });
    if (point == syncPoints.begin()) return -1;
    --point;
    return point->byteOffset + packet * stride;
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

bool CDVB_Stream::beginsPacket(std::int64_t offset) {
    const std::int64_t next = offset + stride;
    if (next == file.size()) return true;  // the last packet of the file
    const std::uint8_t* byte = file.bytes(next, 1);
    return byte != nullptr && *byte == syncByte;
}

void CDVB_Stream::resync(std::int64_t n) {
    const std::int64_t failedAt = addressOf(n);
    // Where a search has already come up empty, each packet read there would
    // search the same bytes again.
    if (failedAt < syncLessUntil) return;
    ++resyncs;
    const std::int64_t end = failedAt + searchBound;
    std::int64_t found = file.find(syncByte, failedAt + 1, end);
    while (found >= 0 && !beginsPacket(found)) found = file.find(syncByte, found + 1, end);
    if (found < 0) {
        syncLessUntil = end;
        return;
    }
    // Packet n is the one that begins at the sync byte found, and the packets
    // behind it follow at steps of the packet size.
    const SyncPoint point{n, found - n * stride};
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
    return findForward(pid, first, endAddress, false);
}

std::int64_t CDVB_Stream::findClearPayloadStartForward(int pid, std::int64_t first, std::int64_t endAddress) {
    return findForward(pid, first, endAddress, true);
}

std::int64_t CDVB_Stream::findForward(int pid, std::int64_t first, std::int64_t endAddress, bool clearOnly) {
    for (std::int64_t n = std::max<std::int64_t>(first, 0); addressOf(n) < endAddress; ++n) {
        const std::uint8_t* packet = packetAt(n);
        if (packet == nullptr) return -1;
        if (pidOf(packet) == pid && startsPayloadUnit(packet) && (!clearOnly || cameClear(packet))) return n;
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
