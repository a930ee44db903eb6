#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "demux/ProgramStreamHeaders.h"
#include "ps_test_support.h"

namespace cut2edl {
namespace {

using test::Bytes;
using test::RecordingDemuxer;
using test::RecordingTracker;
using test::ScratchDir;
using test::StreamBuilder;

constexpr std::size_t chunk = DemuxerPS::chunkSize;

std::int64_t chunkEndAfter(std::size_t offset) {
    return static_cast<std::int64_t>((offset + chunk - 1) / chunk * chunk);
}

std::vector<RecordingTracker::Call> withoutPositions(std::vector<RecordingTracker::Call> calls) {
    for (auto& call : calls) call.position = 0;
    return calls;
}

// What the chunked parser must report, found by reading the whole file as one
// block: the time stamp of every followed PES header that lies wholly within
// the chunks that run() parses (whole chunks only), at the end of the chunk
// where the header ends.
std::vector<RecordingTracker::Call> expectedCalls(const Bytes& bytes, int videoId, int audioId) {
    const std::size_t parsed = bytes.size() / chunk * chunk;
    std::vector<RecordingTracker::Call> calls;
    std::int64_t videoPts = 0;
    for (std::size_t at = 0; at + 4 <= parsed; ++at) {
        const int id = bytes[at + 3];
        if (bytes[at] != 0 || bytes[at + 1] != 0 || bytes[at + 2] != 1 || (id != videoId && id != audioId)) continue;
        const auto header = PesPacketHeader::parse(std::span<const std::uint8_t>(bytes).subspan(at, parsed - at));
        if (!header) continue;
        const auto position = chunkEndAfter(at + header->length);
        if (id == videoId && header->pts) {
            videoPts = *header->pts;
            if (videoPts != 0) calls.push_back({position, videoPts, true});
        } else if (id == audioId) {
            calls.push_back({position, header->pts.value_or(videoPts), false});
        }
        at += header->length - 1;
    }
    return calls;
}

const char* const programStreams[] = {"ps-23976-720x480-mp2.mpg", "ps-25-720x576-ac3.mpg",
                                      "ps-25-720x576-mp2.mpg",    "ps-2997-720x480-mp2.mpg",
                                      "ps-2997-720x480-videoonly.mpeg", "ps-50-720x576-mp2.mpg",
                                      "ps-mpeg1-25-352x288-mp2.mpg"};

TEST(DemuxerPSRun, FeedsEveryTimeStampOfTheParsedChunks) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    for (const char* name : programStreams) {
        const auto path = test::dataFile(name);
        RecordingDemuxer demuxer(owner.get(), path);
        EXPECT_TRUE(demuxer.run());
        const auto expected = expectedCalls(test::readAll(path), demuxer.videoStream(), demuxer.audioStream());
        EXPECT_GT(expected.size(), 10u) << name;
        EXPECT_EQ(demuxer.recorder->calls, expected) << name;
        EXPECT_EQ(demuxer.progress(), 1.0) << name;
    }
}

// Shifting a recording moves its headers across chunk boundaries at every
// possible cut: start code, packet start, header data, time stamp.
TEST(DemuxerPSRun, HeadersCutByChunkBoundariesParseAsIfContiguous) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    for (const char* name : {"ps-25-720x576-ac3.mpg", "ps-mpeg1-25-352x288-mp2.mpg"}) {
        const auto original = test::readAll(test::dataFile(name));
        for (std::size_t shift : {1, 2, 3, 4, 5, 6, 7, 9, 11, 13, 14, 15, 17, 20, 263, 264, 2047, 4095}) {
            Bytes shifted(shift, 0xFF);
            shifted.insert(shifted.end(), original.begin(), original.end());
            RecordingDemuxer demuxer(owner.get(), dir.write("shifted.mpg", shifted));
            demuxer.run();
            EXPECT_EQ(demuxer.recorder->calls, expectedCalls(shifted, demuxer.videoStream(), demuxer.audioStream()))
                << name << " shifted by " << shift;
        }
    }
}

TEST(DemuxerPSRun, HeaderCutAtByte4090IsCompletedFromTheNextChunk) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    for (std::size_t cut : {4083u, 4090u, 4093u, 4094u, 4095u}) {
        StreamBuilder stream;
        stream.packHeader().sequenceHeader(720, 576, 3).pes(0xE0, 3600, 10).pes(0xC0, 3600, 10);
        stream.padTo(cut).pes(0xE0, 7200, 40).pes(0xC0, 7300, 20).padTo(3 * chunk);
        RecordingDemuxer demuxer(owner.get(), dir.write("cut.mpg", stream.build()));
        demuxer.run();
        const std::vector<RecordingTracker::Call> expected{
            {4096, 3600, true}, {4096, 3600, false}, {8192, 7200, true}, {8192, 7300, false}};
        EXPECT_EQ(demuxer.recorder->calls, expected) << "cut at " << cut;
    }
}

TEST(DemuxerPSRun, ShortFinalChunkIsNotParsed) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    StreamBuilder stream;
    stream.packHeader().pes(0xE0, 3600, 10).pes(0xE0, 5400, 10).padTo(chunk + 10).pes(0xE0, 9000, 10);
    RecordingDemuxer demuxer(owner.get(), dir.write("short.mpg", stream.build()));
    EXPECT_TRUE(demuxer.run());
    EXPECT_EQ(demuxer.recorder->calls.size(), 2u);
    EXPECT_EQ(demuxer.progress(), 1.0);
}

TEST(DemuxerPSRun, ProgramEndCodeStops) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    StreamBuilder stream;
    stream.packHeader().pes(0xE0, 3600, 10).pes(0xE0, 5400, 10).bytes({0, 0, 1, 0xB9}).padTo(chunk + 10);
    stream.pes(0xE0, 9000, 10).padTo(3 * chunk);
    RecordingDemuxer demuxer(owner.get(), dir.write("end.mpg", stream.build()));
    EXPECT_TRUE(demuxer.run());
    EXPECT_EQ(demuxer.recorder->calls.size(), 2u);
    EXPECT_EQ(demuxer.progress(), 1.0 / 3.0);
}

TEST(DemuxerPSRun, DamagedPacketLengthNeverMovesBackwards) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    for (int packetLength : {0, 3, 7}) {
        StreamBuilder stream;
        stream.packHeader().pes(0xE0, 3600, 0).pes(0xE0, 5400, 0, packetLength).pes(0xE0, 9000, 0);
        stream.padTo(chunk - 7).pes(0xE0, 12600, 30, packetLength).padTo(2 * chunk);
        RecordingDemuxer demuxer(owner.get(), dir.write("damaged.mpg", stream.build()));
        EXPECT_TRUE(demuxer.run());
        std::vector<std::int64_t> seen;
        for (const auto& call : demuxer.recorder->calls) seen.push_back(call.pts);
        EXPECT_EQ(seen, (std::vector<std::int64_t>{3600, 5400, 9000, 12600})) << packetLength;
    }
}

TEST(DemuxerPSRun, DamagedPacketLengthIsNotReadBackIntoTheHeader) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    // A header whose stuffing looks like another video header: moving back
    // from the header's end into it would report that time stamp.
    Bytes header{0, 0, 1, 0xE0, 0, 0, 0x80, 0x80, 5 + 14};
    const auto pts = StreamBuilder::timeStamp(0x2, 3600);
    header.insert(header.end(), pts.begin(), pts.end());
    const Bytes lookalike{0, 0, 1, 0xE0, 0, 0, 0x80, 0x80, 5};
    header.insert(header.end(), lookalike.begin(), lookalike.end());
    const auto fakePts = StreamBuilder::timeStamp(0x2, 99999);
    header.insert(header.end(), fakePts.begin(), fakePts.end());
    StreamBuilder stream;
    stream.packHeader().bytes(header).pes(0xE0, 7200, 10).padTo(2 * chunk);
    RecordingDemuxer demuxer(owner.get(), dir.write("lookalike.mpg", stream.build()));
    demuxer.run();
    const std::vector<RecordingTracker::Call> expected{{4096, 3600, true}, {4096, 7200, true}};
    EXPECT_EQ(demuxer.recorder->calls, expected);
}

TEST(DemuxerPSStart, BeginsAtThePackBeforeTheFirstSequenceHeader) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    StreamBuilder stream;
    stream.packHeader().pes(0xE0, 1800, 10).pes(0xE0, 2700, 10);
    stream.packHeader().sequenceHeader(720, 576, 3).pes(0xE0, 3600, 10).padTo(2 * chunk);
    RecordingDemuxer demuxer(owner.get(), dir.write("start.mpg", stream.build()));
    EXPECT_TRUE(demuxer.start());
    ASSERT_FALSE(demuxer.recorder->calls.empty());
    EXPECT_EQ(demuxer.recorder->calls.front().pts, 3600);
    EXPECT_EQ(demuxer.progress(), 1.0);
    // A second start begins at the same place again.
    demuxer.recorder->calls.clear();
    EXPECT_TRUE(demuxer.start());
    EXPECT_EQ(demuxer.recorder->calls.size(), 1u);
}

TEST(DemuxerPSStart, WithoutSequenceHeaderThereIsNothingToStart) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    RecordingDemuxer demuxer(owner.get(),
                             dir.write("noseq.mpg", StreamBuilder().packHeader().pes(0xE0, 1800, 10).padTo(2 * chunk).build()));
    EXPECT_FALSE(demuxer.start());
    EXPECT_TRUE(demuxer.recorder->calls.empty());
}

std::int64_t filePosition(DemuxerPS& demuxer, std::uintmax_t size) {
    return std::llround(demuxer.progress() * static_cast<double>(size));
}

TEST(DemuxerPSSeek, SeekToTimeLandsTwoIndexEntriesEarly) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    const auto path = test::dataFile("ps-25-720x576-mp2.mpg");
    const auto size = std::filesystem::file_size(path);
    RecordingDemuxer demuxer(owner.get(), path);
    // Index the position of every chunk where the video time grows.
    double latest = -1.0;
    demuxer.recorder->onCall = [&](const RecordingTracker::Call& call) {
        const double seconds = static_cast<double>(call.pts) / 90000.0;
        if (call.isVideo && seconds > latest) {
            latest = seconds;
            EXPECT_TRUE(demuxer.addSeekPoint(seconds));
        }
    };
    EXPECT_TRUE(demuxer.start());
    const auto fullRun = demuxer.recorder->calls;
    const auto& index = demuxer.seekPoints();
    ASSERT_GE(index.size(), 6u);
    for (const auto& point : index) {
        EXPECT_EQ(point.position % static_cast<std::int64_t>(chunk), 0);
        EXPECT_TRUE(std::any_of(fullRun.begin(), fullRun.end(), [&](const auto& call) {
            return call.position == point.position + static_cast<std::int64_t>(chunk);
        }));
    }

    demuxer.recorder->onCall = nullptr;
    const double between = (index[4].time + index[5].time) / 2.0;
    EXPECT_TRUE(demuxer.seekToTime(between));
    const std::int64_t landed = filePosition(demuxer, size);
    EXPECT_EQ(landed, index[3].position);

    // Parsing goes on from there as it went the first time.
    demuxer.recorder->calls.clear();
    EXPECT_TRUE(demuxer.run());
    std::vector<RecordingTracker::Call> tail;
    std::copy_if(fullRun.begin(), fullRun.end(), std::back_inserter(tail),
                 [&](const auto& call) { return call.position > landed; });
    EXPECT_EQ(withoutPositions(demuxer.recorder->calls), withoutPositions(tail));
}

TEST(DemuxerPSSeek, AddSeekPointBeforeAnyChunkUsesTheStart) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    RecordingDemuxer demuxer(owner.get(), test::dataFile("ps-25-720x576-mp2.mpg"));
    EXPECT_TRUE(demuxer.addSeekPoint(0.5));
    EXPECT_EQ(demuxer.seekPoints().at(0).position, 0);
}

std::vector<std::size_t> startCodes(const Bytes& bytes, std::uint8_t id) {
    std::vector<std::size_t> found;
    for (std::size_t at = 0; at + 4 <= bytes.size(); ++at) {
        if (bytes[at] == 0 && bytes[at + 1] == 0 && bytes[at + 2] == 1 && bytes[at + 3] == id) found.push_back(at);
    }
    return found;
}

TEST(DemuxerPSSeek, AdjustSeekPositionFindsTheVideoPacketBeforeTheGroup) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    const auto path = test::dataFile("ps-25-720x576-mp2.mpg");
    const auto bytes = test::readAll(path);
    const auto groups = startCodes(bytes, 0xB8);
    const auto videoPackets = startCodes(bytes, 0xE0);
    ASSERT_GE(groups.size(), 2u);
    RecordingDemuxer demuxer(owner.get(), path);
    demuxer.run();
    const double progressBefore = demuxer.progress();

    const auto expectedFor = [&](std::int64_t position) -> std::int64_t {
        std::int64_t group = -1;
        for (auto at : groups) {
            if (static_cast<std::int64_t>(at) <= position) group = static_cast<std::int64_t>(at);
        }
        if (group < 0) return 0;
        std::int64_t packet = 0;
        for (auto at : videoPackets) {
            if (static_cast<std::int64_t>(at) + 4 <= group) packet = static_cast<std::int64_t>(at);
        }
        return packet;
    };
    const auto size = static_cast<std::int64_t>(bytes.size());
    const auto secondGroup = static_cast<std::int64_t>(groups[1]);
    for (std::int64_t position : {std::int64_t{0}, std::int64_t{10}, secondGroup - 1, secondGroup, secondGroup + 1,
                                  size / 2, size - 1, size, size + 100000}) {
        const auto result = demuxer.adjustSeekPosition(position);
        EXPECT_EQ(result, expectedFor(position)) << position;
        EXPECT_LE(result, std::max<std::int64_t>(position, 0));
        if (result > 0) {
            EXPECT_EQ(startCodes(Bytes(bytes.begin() + result, bytes.begin() + result + 4), 0xE0).size(), 1u);
        }
    }
    EXPECT_GT(demuxer.adjustSeekPosition(size), 0);
    EXPECT_EQ(demuxer.progress(), progressBefore);
}

TEST(DemuxerPSProgress, IsZeroOnceTheFileIsGone) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    const auto copy = dir.path("copy.mpg");
    std::filesystem::copy_file(test::dataFile("ps-25-720x576-mp2.mpg"), copy);
    RecordingDemuxer demuxer(owner.get(), copy.string());
    demuxer.run();
    EXPECT_EQ(demuxer.progress(), 1.0);
    std::filesystem::remove(copy);
    EXPECT_EQ(demuxer.progress(), 0.0);
}

}  // namespace
}  // namespace cut2edl
