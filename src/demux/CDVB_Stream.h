#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demux/BlockCache.h"
#include "mpeg/line_sink.h"

namespace cut2edl {

// Where the packets from `packetNumber` on lie: packet n at byteOffset + n × the packet size.
struct SyncPoint {
    std::int64_t packetNumber;
    std::int64_t byteOffset;
};

// Random access to the packets of a transport stream by number, as the 188
// bytes from each sync byte on, whether the recording's packets are 188, 192
// or 204 bytes apart. The first packet is found behind any junk the recording
// begins with; a packet that does not start with the sync byte makes the
// reader find the sync again and address the packets behind it from there.
class CDVB_Stream {
public:
    static constexpr int packetSize = 188;
    static constexpr std::uint8_t syncByte = 0x47;
    // How far any search for a sync byte or a packet goes.
    static constexpr std::int64_t searchBound = 16 * 1024 * 1024;
    static constexpr std::int64_t unbounded = INT64_MAX;

    explicit CDVB_Stream(NoticeSink notices = notice_to_stdout);

    // Opens `path` and finds its first packet. Reports "Failure to open
    // stream!" or "Could not find start of Header - check stream!" and is
    // left closed when either fails.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return !path.empty(); }

    std::int64_t addressOf(std::int64_t packet) const;

    // Copies packet `n` into `buffer`; false when the file ends before it.
    bool readPacket(std::int64_t n, std::uint8_t* buffer);

    // The first packet from `first` on whose PID is `pid` and that starts a
    // payload unit, searching no further than the packet at `endAddress`; -1
    // when there is none.
    std::int64_t findPayloadStartForward(int pid, std::int64_t first, std::int64_t endAddress = unbounded);
    // The same among the packets that came clear: transport_error_indicator
    // not set and transport_scrambling_control 0.
    std::int64_t findClearPayloadStartForward(int pid, std::int64_t first, std::int64_t endAddress = unbounded);
    // The last such packet at or before `last`; -1 when there is none.
    std::int64_t findPayloadStartBackward(std::int64_t last, int pid);

    // How far apart the packets are: 188, 192 or 204 bytes.
    int packetStride() const { return stride; }
    // How often a packet did not start with the sync byte.
    int resyncCount() const { return resyncs; }

    bool endOfFile() const { return atEnd; }
    bool failed() const { return file.failed(); }
    std::int64_t fileSize() const { return file.size(); }

    std::string path;
    std::int64_t firstSyncOffset = -1;
    std::vector<SyncPoint> syncPoints;

private:
    bool findFirstSync();
    // The packet's bytes from its sync byte, after finding the sync again when
    // the packet does not start with it; nullptr at the end of the file.
    const std::uint8_t* packetAt(std::int64_t n);
    void resync(std::int64_t n);
    std::int64_t findForward(int pid, std::int64_t first, std::int64_t endAddress, bool clearOnly);
    // Whether a sync byte at `offset` has another one packet further on.
    bool beginsPacket(std::int64_t offset);

    NoticeSink notices;
    BlockCache file;
    int stride = packetSize;
    int resyncs = 0;
    // The end of the bytes that the last failed resync found no packet in.
    std::int64_t syncLessUntil = 0;
    bool atEnd = false;
};

}  // namespace cut2edl
