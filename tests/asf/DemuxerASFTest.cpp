#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <memory>
#include <stdexcept>

#include "asf/DemuxerASF.h"
#include "asf/AsfTestSupport.h"
#include "demux/MediaFile.h"

namespace cut2edl {
namespace {

using namespace asftest;

// Both real recordings: 59 packets of 3200 bytes from offset 691, video on
// stream 1, audio on stream 2.
constexpr std::int64_t realFirstPacket = 691;
constexpr std::int64_t realPacketSize = 3200;
constexpr std::int64_t realPacketCount = 59;
const char* const realFile = "asf-25-720x576-mp2.dvr-ms";

TEST(DemuxerASFProbe, RealRecordingsPublishTheVote) {
    MediaFile pal(testData("asf-25-720x576-mp2.dvr-ms"));
    EXPECT_EQ(pal.containerKind, ContainerKind::Asf);
    EXPECT_EQ(pal.frameRate, 25.0);
    EXPECT_EQ(pal.width, 720);
    EXPECT_EQ(pal.height, 576);
    EXPECT_EQ(pal.ticksPerFrame, 3600);
    MediaFile ntsc(testData("asf-2997-720x480-mp2.dvr-ms"));
    EXPECT_EQ(ntsc.frameRate, 30000.0 / 1001.0);
    EXPECT_EQ(ntsc.width, 720);
    EXPECT_EQ(ntsc.height, 480);
    EXPECT_EQ(ntsc.ticksPerFrame, 3003);
}

TEST_F(AsfDemuxerTest, FileThatCannotBeOpenedThrows) {
    const std::string dangling = ownerFile.path + ".link";
    std::filesystem::create_symlink(ownerFile.path + ".missing", dangling);
    EXPECT_THROW(
        {
            try {
                DemuxerASF demuxer(&owner, dangling);
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "Unable to open file");
                throw;
            }
        },
        std::runtime_error);
    std::filesystem::remove(dangling);
}

TEST_F(AsfDemuxerTest, HeaderWalkReadsFilePropertiesAndStreams) {
    DemuxerASF demuxer(&owner, testData(realFile));
    EXPECT_FALSE(demuxer.fileProperties());
    EXPECT_TRUE(demuxer.start());
    ASSERT_TRUE(demuxer.fileProperties());
    EXPECT_EQ(demuxer.fileProperties()->maximumDataPacketSize, 3200u);
    EXPECT_EQ(demuxer.fileProperties()->dataPacketsCount, 59u);
    EXPECT_EQ(demuxer.fileProperties()->fileSize, 189589u);
    ASSERT_EQ(demuxer.streams().size(), 3u);
    EXPECT_FALSE(demuxer.streams()[0].declared);
    EXPECT_TRUE(demuxer.streams()[1].video);
    EXPECT_FALSE(demuxer.streams()[1].audio);
    EXPECT_TRUE(demuxer.streams()[2].audio);
    EXPECT_FALSE(demuxer.streams()[2].video);
}

// The file is longer than one buffer and its tail shorter: every packet,
// also those behind the refill and in the last partial buffer, is seen at its
// true offset.
TEST_F(AsfDemuxerTest, DataWalkVisitsEveryPacketAtItsOffset) {
    for (const char* name : {"asf-25-720x576-mp2.dvr-ms", "asf-2997-720x480-mp2.dvr-ms"}) {
        RecordingDemuxer demuxer(&owner, testData(name));
        EXPECT_EQ(demuxer.progress(), 0.0);
        demuxer.start();
        EXPECT_EQ(demuxer.packets, packetsFrom(realFirstPacket, realPacketSize, realPacketCount)) << name;
        // The walk ended at the index object behind the data.
        EXPECT_FALSE(demuxer.hasMoreData());
        EXPECT_EQ(demuxer.currentPacketPosition(), realFirstPacket + realPacketCount * realPacketSize);
        EXPECT_GT(demuxer.progress(), 0.99);
        EXPECT_LE(demuxer.progress(), 1.0);
    }
}

TEST_F(AsfDemuxerTest, FileShorterThanOneBufferIsWalkedUpToItsLastWholePacket) {
    const Bytes head = [] {
        Bytes bytes = readFile(testData(realFile));
        bytes.resize(100000);
        return bytes;
    }();
    TempFile cut(head);
    RecordingDemuxer demuxer(&owner, cut.path);
    demuxer.start();
    // Packet 31 would end at 102291, past the end of the file.
    EXPECT_EQ(demuxer.packets, packetsFrom(realFirstPacket, realPacketSize, 31));
    EXPECT_FALSE(demuxer.hasMoreData());
}

TEST_F(AsfDemuxerTest, SeekToTimeRestartsTheWalkAtTheIndexedPacket) {
    class IndexingDemuxer : public RecordingDemuxer {
    public:
        using RecordingDemuxer::RecordingDemuxer;

    protected:
        bool packetWalked() override {
            addSeekPoint(static_cast<double>(packets.size()));
            return RecordingDemuxer::packetWalked();
        }
    };
    IndexingDemuxer demuxer(&owner, testData(realFile));
    demuxer.start();
    ASSERT_EQ(demuxer.seekPoints().size(), static_cast<std::size_t>(realPacketCount));
    for (std::size_t i = 0; i < demuxer.seekPoints().size(); ++i) {
        EXPECT_EQ(demuxer.seekPoints()[i].position, demuxer.packets[i]);
    }
    // Time 45.5 lies between entries 45 and 46: the seek lands two entries early.
    demuxer.packets.clear();
    demuxer.stopAfter = 1;
    EXPECT_TRUE(demuxer.seekToTime(45.5));
    EXPECT_TRUE(demuxer.hasMoreData());
    demuxer.run();
    EXPECT_EQ(demuxer.packets, std::vector<std::int64_t>{realFirstPacket + 44 * realPacketSize});
    // After the seek the walk goes on exactly, across the refill, to the end.
    demuxer.packets.clear();
    demuxer.stopAfter = std::numeric_limits<std::size_t>::max();
    demuxer.run();
    EXPECT_EQ(demuxer.packets, packetsFrom(realFirstPacket + 45 * realPacketSize, realPacketSize, 14));
}

TEST_F(AsfDemuxerTest, AdjustSeekPositionKeepsItsArgument) {
    DemuxerASF demuxer(&owner, testData(realFile));
    EXPECT_EQ(demuxer.adjustSeekPosition(123456789), 123456789);
}

TEST_F(AsfDemuxerTest, ProgressIsZeroOnceTheFileIsGone) {
    auto copy = std::make_unique<TempFile>(readFile(testData(realFile)));
    DemuxerASF demuxer(&owner, copy->path);
    demuxer.start();
    EXPECT_GT(demuxer.progress(), 0.99);
    copy.reset();
    EXPECT_EQ(demuxer.progress(), 0.0);
}

}  // namespace
}  // namespace cut2edl
