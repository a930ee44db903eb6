#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "demux/ProgramStreamHeaders.h"

namespace cut2edl {

// How the parser goes on at the start of a stream's next chunk.
enum class Resume : std::int32_t {
    Header = 0,     // pendingBytes bytes of a cut unit wait in headerBuffer
    AudioBody = 1,  // skip pendingBytes bytes of an audio packet's data
    VideoBody = 2,  // skip pendingBytes bytes of a video packet's data
    OtherBody = 3,  // skip pendingBytes bytes of any other packet
};

// What the parser keeps of one stream from one chunk to the next: a program
// stream has one, a transport stream one per PID followed.
struct DemuxState {
    Resume resumeMode = Resume::OtherBody;
    // A unit cut by a chunk boundary, followed by the start of the next chunk
    // while it is completed.
    std::array<std::uint8_t, 2 * maxUnitHeaderLength> headerBuffer{};
    std::int64_t pendingBytes = 0;
    // Raw PTS of the last audio PES header of this stream that carried one.
    std::int64_t lastPts = 0;
    // Seconds on the continuous time line of the last audio PES header.
    double audioTime = 0.0;
    bool resyncAfterSeek = false;
    // Which body the last unit parsed has, should it run on into the next chunk.
    Resume lastBodyMode = Resume::OtherBody;

    // Forgets where the stream stood: the next chunk is parsed from its first byte.
    void restart();
};

// The demuxer's side of the parser: which packets it follows, and what it
// does with their headers.
class PesPacketHandler {
public:
    enum class Kind { Video, Audio, Other };

    virtual Kind kindOf(int streamId) const = 0;
    virtual void videoHeader(const PesPacketHeader& header, DemuxState& state) = 0;
    virtual void audioHeader(const PesPacketHeader& header, DemuxState& state) = 0;

protected:
    ~PesPacketHandler() = default;
};

// Parses one chunk of the packet layer (pack headers, PES packets and the
// packets of other streams), resuming where the stream's last chunk cut a
// unit. False when a program end code asks to stop.
bool parsePesChunk(std::span<const std::uint8_t> chunk, DemuxState& state, PesPacketHandler& handler);

}  // namespace cut2edl
