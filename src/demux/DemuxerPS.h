#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "demux/Demuxer.h"
#include "demux/PesChunkParser.h"
#include "demux/ProbeReport.h"

namespace cut2edl {

class BlockReader;

// Demuxer for MPEG program streams (MPEG-1 system streams and MPEG-2 program
// streams). The constructor is the probe: it picks the audio and video stream
// ids, reads the first sequence header and the first video time stamp, all
// within the first probeWindow bytes, so that the cost of a probe does not
// grow with the file. The streaming operations walk the whole file in chunks
// through a parser that resumes where a chunk cut a packet.
class DemuxerPS : public Demuxer, private PesPacketHandler {
public:
    static constexpr std::int64_t probeWindow = 16 * 1024 * 1024;
    static constexpr std::size_t chunkSize = 4096;

    // Throws std::runtime_error("Unable to open file") when `path` cannot be
    // opened. The probe tells on `report` which streams it follows and what
    // their first sequence header holds.
    DemuxerPS(MediaFile* owner, std::string path, const ProbeReport& report = ProbeReport());

    double progress() override;
    bool start() override;
    bool run() override;
    bool seekToTime(double time) override;
    bool addSeekPoint(double time) override;
    // From the earliest of the first video time stamps to the latest of the
    // last, found within 4 MiB of the end, plus one frame.
    std::optional<double> duration(const ProbeReport& report) override;
    std::int64_t adjustSeekPosition(std::int64_t position) override;

    // The stream ids followed; -1 when the probe found none.
    std::int32_t audioStream() const { return audioStreamId; }
    std::int32_t videoStream() const { return videoStreamId; }

private:
    void scanStreamIds(BlockReader& reader);
    void readSequenceHeader(BlockReader& reader, const ProbeReport& report);
    std::int64_t readFirstVideoPts(BlockReader& reader);
    // The PTS values of the first `count` video PES headers within the probe window.
    std::vector<std::int64_t> readLeadingVideoPts(BlockReader& reader, std::size_t count);

    bool readChunk();
    void resetParser();

    Kind kindOf(int streamId) const override;
    void videoHeader(const PesPacketHeader& header, DemuxState& state) override;
    void audioHeader(const PesPacketHeader& header, DemuxState& state) override;

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
    std::array<std::uint8_t, chunkSize> readBuffer{};
    std::int64_t chunkEndOffset = 0;
    std::int64_t currentVideoPts = 0;
    DemuxState parser;
};

}  // namespace cut2edl
