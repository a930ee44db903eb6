#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <span>
#include <string>

#include "demux/Demuxer.h"
#include "demux/ProgramStreamHeaders.h"

namespace cut2edl {

class BlockReader;

// Demuxer for MPEG program streams (MPEG-1 system streams and MPEG-2 program
// streams). The constructor is the probe: it picks the audio and video stream
// ids, reads the first sequence header and the first video time stamp, all
// within the first probeWindow bytes, so that the cost of a probe does not
// grow with the file. The streaming operations walk the whole file in chunks
// through a parser that resumes where a chunk cut a packet.
class DemuxerPS : public Demuxer {
public:
    static constexpr std::int64_t probeWindow = 16 * 1024 * 1024;
    static constexpr std::size_t chunkSize = 4096;

    // Throws std::runtime_error("Unable to open file") when `path` cannot be opened.
    DemuxerPS(MediaFile* owner, std::string path);

    double progress() override;
    bool start() override;
    bool run() override;
    bool seekToTime(double time) override;
    bool addSeekPoint(double time) override;
    std::int64_t adjustSeekPosition(std::int64_t position) override;

    // The stream ids followed; -1 when the probe found none.
    std::int32_t audioStream() const { return audioStreamId; }
    std::int32_t videoStream() const { return videoStreamId; }

private:
    // How the parser goes on at the start of the next chunk.
    enum class Resume : std::int32_t {
        Header = 0,     // pendingBytes bytes of a cut unit wait in headerBuffer
        AudioBody = 1,  // skip pendingBytes bytes of an audio packet's data
        VideoBody = 2,  // skip pendingBytes bytes of a video packet's data
        OtherBody = 3,  // skip pendingBytes bytes of any other packet
    };
    enum class Step { Next, Incomplete, Stop };
    struct Unit {
        Step step = Step::Next;
        std::size_t headerLength = 0;
        std::int64_t bodyLength = 0;
        Resume bodyMode = Resume::OtherBody;
    };

    void scanStreamIds(BlockReader& reader);
    void readSequenceHeader(BlockReader& reader);
    std::int64_t readFirstVideoPts(BlockReader& reader);

    bool readChunk();
    bool parseChunk(std::span<const std::uint8_t> chunk);
    // Parses the units that begin before `end`; `position` may end up beyond
    // the bytes, inside the data of the last packet.
    Step parseUnits(std::span<const std::uint8_t> bytes, std::size_t& position, std::size_t end);
    Unit parseUnit(std::span<const std::uint8_t> bytes);
    Unit parsePesPacket(std::span<const std::uint8_t> bytes, bool isVideo);
    bool carryOver(std::span<const std::uint8_t> bytes);
    void resetParser();

    std::int64_t tell();
    void moveTo(std::int64_t position);
    // Start of the last `code` lying wholly before `end`.
    std::optional<std::int64_t> lastStartCodeBefore(std::uint32_t code, std::int64_t end);

    std::ifstream file;
    std::int32_t height = 0;
    std::int32_t width = 0;
    double frameRate = -1.0;
    std::int32_t audioStreamId = -1;
    std::int32_t videoStreamId = -1;
    Resume resumeMode = Resume::OtherBody;
    std::array<std::uint8_t, chunkSize> readBuffer{};
    // A unit cut by a chunk boundary, followed by the start of the next chunk
    // while it is completed.
    std::array<std::uint8_t, 2 * maxUnitHeaderLength> headerBuffer{};
    std::int64_t chunkEndOffset = 0;
    std::int64_t pendingBytes = 0;
    std::int64_t currentVideoPts = 0;
    Resume lastBodyMode = Resume::OtherBody;
};

}  // namespace cut2edl
