#include <gtest/gtest.h>

#include "demux/DemuxerTS.h"
#include "ts_test_support.h"

namespace cut2edl::test {
namespace {

constexpr std::uint8_t mpeg2Video = 0x02;
constexpr std::uint8_t ac3Audio = 0x81;

// A transport-stream demuxer whose tracker records.
class RecordingDemuxerTS : public DemuxerTS {
public:
    RecordingDemuxerTS(MediaFile* owner, const std::string& path)
        : DemuxerTS(owner, path), recorder(std::make_shared<RecordingTracker>(ptsTracker->segmentList().front().base)) {
        ptsTracker = recorder;
    }
    std::shared_ptr<RecordingTracker> recorder;
};

int pidOf(const Bytes& packet) { return (packet[1] & 0x1F) << 8 | packet[2]; }

// What run() must report, read packet by packet beside the demuxer: the time
// stamp of every PES header that starts a payload of the chosen PIDs.
std::vector<RecordingTracker::Call> expectedCalls(const Bytes& bytes, int videoPid, int audioPid) {
    std::vector<RecordingTracker::Call> calls;
    std::int64_t lastAudio = 0;
    for (std::size_t at = 0; at + 188 <= bytes.size(); at += 188) {
        const Bytes packet(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + 188));
        const int pid = pidOf(packet);
        if ((packet[1] & 0x40) == 0 || (pid != videoPid && pid != audioPid)) continue;
        const std::size_t payload = (packet[3] & 0x20) != 0 ? 5u + packet[4] : 4u;
        const auto header = PesPacketHeader::parse(std::span<const std::uint8_t>(packet).subspan(payload));
        if (!header) continue;
        const auto number = static_cast<std::int64_t>(at / 188);
        if (pid == videoPid && header->pts && *header->pts != 0) calls.push_back({number, *header->pts, true});
        if (pid == audioPid) {
            lastAudio = header->pts.value_or(lastAudio);
            calls.push_back({number, lastAudio, false});
        }
    }
    return calls;
}

TEST(DemuxerTSRun, MeetsEveryPesHeaderOfTheChosenVideoAndAudio) {
    const ScratchDir dir;
    ScratchOwner owner(dir);
    const std::string path = dataFile("ts-25-720x576-ac3.ts");
    RecordingDemuxerTS demuxer(owner.get(), path);
    EXPECT_FALSE(demuxer.start());
    const auto& calls = demuxer.recorder->calls;
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const auto& call) { return call.isVideo; }), 38);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const auto& call) { return !call.isVideo; }), 5);
    EXPECT_EQ(calls, expectedCalls(readAll(path), 0x100, 0x101));
    EXPECT_EQ(demuxer.progress(), 1.0);
    EXPECT_GT(demuxer.audio().audioTime, 0.0);
}

TEST(DemuxerTSRun, AHeaderCutAtAPacketBoundaryContinuesInTheNextPacketOfItsPid) {
    const Bytes pes = videoPes(900000, sequenceHeader(720, 576, 3));
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}}));
    stream.section(0x100, pmtSection(1, 0x101, {{mpeg2Video, 0x101}, {ac3Audio, 0x102}}));
    stream.pes(0x101, videoPes(450000, sequenceHeader(720, 576, 3)));
    // Five bytes of the header in one packet, the rest two packets later.
    stream.packet(0x101, true, Bytes(pes.begin(), pes.begin() + 5)).nullPackets(1);
    stream.packet(0x101, false, Bytes(pes.begin() + 5, pes.end())).nullPackets(15);
    const ScratchDir dir;
    ScratchOwner owner(dir);
    RecordingDemuxerTS demuxer(owner.get(), dir.write("cut.ts", stream.build()));
    demuxer.start();
    EXPECT_EQ(demuxer.recorder->videoCalls(),
              (std::vector<RecordingTracker::Call>{{2, 450000, true}, {5, 900000, true}}));
}

TEST(DemuxerTSRun, AConcatenationsTimeStampJumpLeavesNoGapOnTheTimeLine) {
    const Bytes one = readAll(dataFile("ts-25-720x576-ac3.ts"));
    const ScratchDir dir;
    ScratchOwner owner(dir);
    RecordingDemuxerTS demuxer(owner.get(), dir.write("twice.ts", one + one));
    demuxer.start();
    const auto segments = demuxer.recorder->segmentList();
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[1].position, static_cast<std::int64_t>(one.size() / 188) + 3);
    EXPECT_EQ(demuxer.progress(), 1.0);
}

TEST(DemuxerTSSeek, LandsTwoIndexEntriesEarlyOnAVideoPayloadStart) {
    const ScratchDir dir;
    ScratchOwner owner(dir);
    RecordingDemuxerTS demuxer(owner.get(), dataFile("ts-25-720x576-ac3.ts"));
    // As a player would: one index entry per video time stamp met.
    demuxer.recorder->onCall = [&demuxer](const RecordingTracker::Call& call) {
        if (call.isVideo) demuxer.addSeekPoint(static_cast<double>(call.pts) / 90000.0);
    };
    demuxer.start();
    demuxer.recorder->onCall = nullptr;
    const auto walked = demuxer.recorder->videoCalls();
    const auto& index = demuxer.seekPoints();
    ASSERT_EQ(index.size(), walked.size());
    // Each entry is the payload start of the video PES before the one being read.
    EXPECT_EQ(index[8].position, walked[7].position);
    ASSERT_TRUE(demuxer.seekToTime(index[10].time));
    EXPECT_EQ(demuxer.currentPacket(), walked[7].position);
    demuxer.recorder->calls.clear();
    demuxer.run();
    ASSERT_FALSE(demuxer.recorder->videoCalls().empty());
    EXPECT_EQ(demuxer.recorder->videoCalls().front(), walked[7]);
}

TEST(DemuxerTSSeek, AnAudioPayloadContinuedAcrossTheSeekIsDropped) {
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}}));
    stream.section(0x100, pmtSection(1, 0x101, {{mpeg2Video, 0x101}, {ac3Audio, 0x102}}));
    stream.pes(0x101, videoPes(90000, sequenceHeader(720, 576, 3)));                      // packet 2
    stream.packet(0x102, true, StreamBuilder().pes(0xBD, 270000, 170, 362).build());     // 3, runs on into 5
    stream.pes(0x101, videoPes(180000, {}));                                             // 4
    // The audio data in packet 5 happens to look like a PES header.
    stream.packet(0x102, false, StreamBuilder().pes(0xBD, 7777777, 170).build());        // 5
    stream.packet(0x102, true, StreamBuilder().pes(0xBD, 360000, 170).build());          // 6
    const ScratchDir dir;
    ScratchOwner owner(dir);
    RecordingDemuxerTS demuxer(owner.get(), dir.write("continued.ts", stream.nullPackets(15).build()));
    demuxer.recorder->onCall = [&demuxer](const RecordingTracker::Call& call) {
        if (call.pts == 360000) demuxer.addSeekPoint(10.0);
    };
    demuxer.start();
    demuxer.recorder->onCall = nullptr;
    const std::vector<RecordingTracker::Call> walked = {
        {2, 90000, true}, {3, 270000, false}, {4, 180000, true}, {6, 360000, false}};
    EXPECT_EQ(demuxer.recorder->calls, walked);
    ASSERT_EQ(demuxer.seekPoints().size(), 1u);
    EXPECT_EQ(demuxer.seekPoints()[0].position, 4);
    ASSERT_TRUE(demuxer.seekToTime(10.0));
    demuxer.recorder->calls.clear();
    demuxer.run();
    EXPECT_EQ(demuxer.recorder->calls, (std::vector<RecordingTracker::Call>{{4, 180000, true}, {6, 360000, false}}));
}

TEST(DemuxerTSSeek, AnIndexEntryAtTheFirstPacketIsPacketZero) {
    const ScratchDir dir;
    ScratchOwner owner(dir);
    DemuxerTS demuxer(owner.get(), dataFile("ts-25-720x576-ac3.ts"));
    EXPECT_TRUE(demuxer.addSeekPoint(0.0));
    EXPECT_EQ(demuxer.seekPoints().back().position, 0);
}

TEST(DemuxerTSProgress, RunsFromZeroToOneAndIsZeroWithoutAPacket) {
    const ScratchDir dir;
    ScratchOwner owner(dir);
    DemuxerTS demuxer(owner.get(), dataFile("ts-25-720x576-ac3.ts"));
    EXPECT_EQ(demuxer.progress(), 0.0);
    DemuxerTS tiny(owner.get(), dir.write("tiny.ts", Bytes(100, 0x47)));
    EXPECT_EQ(tiny.progress(), 0.0);
    EXPECT_FALSE(tiny.seekToTime(0.0));
}

}  // namespace
}  // namespace cut2edl::test
