#include "demux/DemuxerPS.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

#include <boost/filesystem/operations.hpp>

#include "demux/BlockReader.h"
#include "demux/pts_span.h"
#include "demux/time_stamps_near_end.h"
#include "demux/read_sequence_header.h"
#include "demux/sequence_header_report.h"
#include "mpeg/start_code_scanner.h"

namespace cut2edl {

namespace {

constexpr std::uint32_t sequenceHeaderCode = 0x1B3;
constexpr std::uint32_t groupStartCode = 0x1B8;
constexpr std::uint32_t packStartCode = 0x1BA;
// The lowest audio or video stream id (private stream 1).
constexpr std::uint8_t lowestStreamId = 0xBD;
constexpr std::size_t prefixLength = 3;
constexpr std::size_t startCodeLength = 4;
constexpr std::size_t backwardBlockSize = 64 * 1024;

std::string streamIdText(std::int32_t id) { return id < 0 ? std::string("none") : format_text("0x%02X", id); }

bool isAudioId(int id) { return (id >= 0xC0 && id <= 0xDF) || id == 0xBD; }
bool isVideoId(int id) { return id >= 0xE0 && id <= 0xEF; }

std::uint32_t startCodeOf(std::int32_t id) { return 0x100u | static_cast<std::uint32_t>(id & 0xFF); }

// Offset of the last start code 00 00 01 `id` lying wholly in `bytes`.
std::optional<std::size_t> lastStartCodeIn(std::span<const std::uint8_t> bytes, std::uint8_t id) {
    if (bytes.size() < startCodeLength) return std::nullopt;
    std::size_t before = bytes.size() - startCodeLength + 1;
    while (const auto prefix = previous_start_code_prefix(bytes, before)) {
        if (bytes[*prefix + prefixLength] == id) return prefix;
        before = *prefix;
    }
    return std::nullopt;
}

// The stream of one class (audio or video) to follow: settled once two
// consecutive start codes of the class carry the same id, so that a stray
// packet of a second language does not decide.
class StreamIdChoice {
public:
    void see(int streamId) {
        if (isSettled) return;
        isSettled = streamId == id;
        id = streamId;
    }
    bool settled() const { return isSettled; }
    std::int32_t value() const { return id; }

private:
    std::int32_t id = -1;
    bool isSettled = false;
};

// The time stamps of one video stream's PES headers in a walk over packs and
// packets, which passes over the bytes of every packet by its length.
class VideoStampCollector : public PesPacketHandler {
public:
    VideoStampCollector(std::int32_t videoId, std::vector<std::int64_t>& found) : id(videoId), stamps(found) {}

    Kind kindOf(int streamId) const override { return streamId == id ? Kind::Video : Kind::Other; }
    void videoHeader(const PesPacketHeader& header, DemuxState&) override {
        if (header.pts) stamps.push_back(*header.pts);
    }
    void audioHeader(const PesPacketHeader&, DemuxState&) override {}

private:
    std::int32_t id;
    std::vector<std::int64_t>& stamps;
};

// The walk begins at a block's first pack header, where the packets' lengths
// can be followed; a start code within a packet's data would mislead it.
void videoPtsOfPacks(std::span<const std::uint8_t> bytes, std::int32_t videoId, std::vector<std::int64_t>& stamps) {
    std::optional<std::size_t> pack = next_start_code(bytes, 0);
    while (pack && bytes[*pack + prefixLength] != (packStartCode & 0xFF)) pack = next_start_code(bytes, *pack + 1);
    if (!pack) return;
    DemuxState state;
    VideoStampCollector collector(videoId, stamps);
    parsePesChunk(bytes.subspan(*pack), state, collector);
}

}  // namespace

DemuxerPS::DemuxerPS(MediaFile* owner, std::string videoPath, const ProbeReport& report)
    : Demuxer(owner, std::move(videoPath)), file(path, std::ios::binary) {
    if (!file.is_open()) throw std::runtime_error("Unable to open file");
    BlockReader reader(file, probeWindow);
    scanStreamIds(reader);
    report.print("Video stream id: %s, audio stream id: %s", streamIdText(videoStreamId).c_str(),
                 streamIdText(audioStreamId).c_str());
    readSequenceHeader(reader, report);
    publish(frameRate, width, height);
    ptsTracker = std::make_shared<PTSTracker>(readFirstVideoPts(reader));
    moveTo(0);
}

void DemuxerPS::scanStreamIds(BlockReader& reader) {
    StreamIdChoice audio;
    StreamIdChoice video;
    reader.seek(0);
    while (!(audio.settled() && video.settled())) {
        const int id = reader.nextStartCode(start_codes_below(lowestStreamId));
        if (id < 0) break;
        if (isAudioId(id)) audio.see(id);
        if (isVideoId(id)) video.see(id);
    }
    audioStreamId = audio.value();
    videoStreamId = video.value();
}

void DemuxerPS::readSequenceHeader(BlockReader& reader, const ProbeReport& report) {
    reader.seek(0);
    if (!reader.skipTo(sequenceHeaderCode)) return report.line("No sequence header within the first 16 MiB");
    const auto header = read_sequence_header(reader);
    // One cut off before its frame rate by the end of the window is none.
    if (header->frame_rate_code.span == 0) return report.line("No sequence header within the first 16 MiB");
    width = header->horizontal_size_value.value;
    height = header->vertical_size_value.value;
    frameRate = header->exact_frame_rate();
    report_sequence_header(report, *header);
}

std::int64_t DemuxerPS::readFirstVideoPts(BlockReader& reader) {
    const std::vector<std::int64_t> first = readLeadingVideoPts(reader, 1);
    return first.empty() ? 0 : first.front();
}

std::vector<std::int64_t> DemuxerPS::readLeadingVideoPts(BlockReader& reader, std::size_t count) {
    std::vector<std::int64_t> stamps;
    if (videoStreamId < 0) return stamps;
    reader.seek(0);
    while (stamps.size() < count && reader.skipTo(startCodeOf(videoStreamId))) {
        const std::int64_t afterStartCode = reader.position();
        std::array<std::uint8_t, maxUnitHeaderLength> header;
        const std::size_t read =
            reader.readFromStartCode(static_cast<std::uint8_t>(videoStreamId), header.data(), header.size());
        const auto pes = PesPacketHeader::parse(std::span<const std::uint8_t>(header.data(), read));
        if (pes && pes->pts) stamps.push_back(*pes->pts);
        reader.seek(afterStartCode);
    }
    return stamps;
}

std::optional<double> DemuxerPS::duration(const ProbeReport& report) {
    if (videoStreamId < 0 || frameRate <= 0) return reportUnknownDuration(report, "no video with a frame rate");
    const std::int64_t remembered = tell();
    BlockReader reader(file, probeWindow);
    const std::vector<std::int64_t> first = readLeadingVideoPts(reader, endStampsWanted);
    moveTo(remembered);
    const std::int32_t id = videoStreamId;
    const std::vector<std::int64_t> last = timeStampsNearEnd(
        path, 0, [id](std::span<const std::uint8_t> bytes, std::size_t, std::vector<std::int64_t>& stamps) {
            videoPtsOfPacks(bytes, id, stamps);
        });
    return durationFromStamps(report, first, last, frameRate);
}

double DemuxerPS::progress() {
    boost::system::error_code error;
    if (!boost::filesystem::exists(path, error)) return 0.0;
    const auto size = boost::filesystem::file_size(path, error);
    if (error || size == 0) return 0.0;
    return static_cast<double>(std::max<std::int64_t>(tell(), 0)) / static_cast<double>(size);
}

bool DemuxerPS::start() {
    const std::int64_t before = tell();
    if (before < 0) return false;
    BlockReader reader(file, BlockReader::unbounded);
    if (!reader.skipTo(sequenceHeaderCode)) {
        moveTo(before);
        return false;
    }
    const std::int64_t sequenceHeader = reader.position() - static_cast<std::int64_t>(startCodeLength);
    moveTo(lastStartCodeBefore(packStartCode, sequenceHeader).value_or(0));
    resetParser();
    return tell() >= 0 && run();
}

bool DemuxerPS::run() {
    while (readChunk() && parsePesChunk(readBuffer, parser, *this)) {
    }
    return true;
}

bool DemuxerPS::seekToTime(double time) {
    moveTo(findSeekPosition(time));
    resetParser();
    return true;
}

bool DemuxerPS::addSeekPoint(double time) {
    // The chunk being parsed begins one chunk before the file position.
    const std::int64_t chunkStart = tell() - static_cast<std::int64_t>(chunkSize);
    seekIndex.push_back({std::max<std::int64_t>(chunkStart, 0), time});
    return true;
}

std::int64_t DemuxerPS::adjustSeekPosition(std::int64_t position) {
    const std::int64_t remembered = tell();
    const std::int64_t searchEnd = std::min(position, std::numeric_limits<std::int64_t>::max() - 4) + 4;
    std::int64_t result = lastStartCodeBefore(groupStartCode, searchEnd).value_or(0);
    if (videoStreamId >= 0) result = lastStartCodeBefore(startCodeOf(videoStreamId), result).value_or(0);
    moveTo(remembered);
    return result;
}

bool DemuxerPS::readChunk() {
    file.clear();
    file.read(reinterpret_cast<char*>(readBuffer.data()), static_cast<std::streamsize>(chunkSize));
    const bool whole = file.gcount() == static_cast<std::streamsize>(chunkSize);
    chunkEndOffset = tell();
    return whole;
}

PesPacketHandler::Kind DemuxerPS::kindOf(int streamId) const {
    if (streamId == videoStreamId) return Kind::Video;
    if (streamId == audioStreamId) return Kind::Audio;
    return Kind::Other;
}

void DemuxerPS::videoHeader(const PesPacketHeader& header, DemuxState&) {
    if (!header.pts) return;
    currentVideoPts = *header.pts;
    std::int64_t pts = currentVideoPts;
    if (pts != 0) ptsTracker->normalizePts(chunkEndOffset, pts, true);
}

void DemuxerPS::audioHeader(const PesPacketHeader& header, DemuxState&) {
    // Audio without a time stamp of its own goes with the last video one.
    std::int64_t pts = header.pts.value_or(currentVideoPts);
    ptsTracker->normalizePts(chunkEndOffset, pts, false);
}

void DemuxerPS::resetParser() {
    parser.restart();
    currentVideoPts = 0;
}

std::int64_t DemuxerPS::tell() {
    file.clear();
    return static_cast<std::int64_t>(file.tellg());
}

void DemuxerPS::moveTo(std::int64_t position) {
    file.clear();
    file.seekg(position);
}

std::optional<std::int64_t> DemuxerPS::lastStartCodeBefore(std::uint32_t code, std::int64_t end) {
    file.clear();
    file.seekg(0, std::ios::end);
    end = std::min(end, tell());
    std::vector<std::uint8_t> block(backwardBlockSize);
    while (end >= static_cast<std::int64_t>(startCodeLength)) {
        const std::int64_t begin = std::max<std::int64_t>(end - static_cast<std::int64_t>(block.size()), 0);
        moveTo(begin);
        file.read(reinterpret_cast<char*>(block.data()), end - begin);
        if (file.gcount() != end - begin) return std::nullopt;
        const auto found = lastStartCodeIn(std::span<const std::uint8_t>(block.data(), static_cast<std::size_t>(end - begin)),
                                           static_cast<std::uint8_t>(code & 0xFF));
        if (found) return begin + static_cast<std::int64_t>(*found);
        if (begin == 0) break;
        end = begin + static_cast<std::int64_t>(startCodeLength) - 1;  // sees a code across the block border
    }
    return std::nullopt;
}

}  // namespace cut2edl
