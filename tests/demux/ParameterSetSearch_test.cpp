// The video of real recordings signalled, damaged and delayed as broadcasts
// and recorders leave it. The MPEG-2 recording is one program (PMT on PID
// 0x1000, video 720 x 576 at 25 frames per second on PID 0x100, AC-3 on
// 0x101), its first video packet the fourth.
#include <gtest/gtest.h>

#include "ts_test_support.h"

namespace cut2edl::test {
namespace {

constexpr int pmtPid = 0x1000;
constexpr int videoPid = 0x100;
constexpr int absentPid = 0x1FF0;
const std::string mpeg2Recording = "ts-25-720x576-ac3.ts";
const Bytes ac3Registration{0x05, 0x04, 'A', 'C', '-', '3'};

void setPmts(PacketEditor& editor, const std::vector<StreamEntry>& streams) {
    for (const std::size_t at : editor.sectionStarts(pmtPid)) editor.setSections(at, {pmtSection(1, videoPid, streams)});
}

std::size_t firstVideoPacket(const PacketEditor& editor) { return editor.sectionStarts(videoPid).front(); }

TEST(ParameterSetSearch, ReadsMpegVideoSignalledAsStreamType1Or0x80ButNot0x80InAnHdmvStream) {
    for (const std::uint8_t type : {0x01, 0x80}) {
        PacketEditor editor(mpeg2Recording);
        setPmts(editor, {{type, videoPid}, {0x81, 0x101, ac3Registration}});
        const auto probed = probe(editor.build());
        EXPECT_EQ(probed->media->frameRate, 25.0) << int{type};
        EXPECT_EQ(probed->demuxer().chosenVideoPid(), videoPid);
    }
    PacketEditor blueRay(mpeg2Recording);
    setPmts(blueRay, {{0x80, videoPid, {0x05, 0x04, 'H', 'D', 'M', 'V'}}, {0x81, 0x101, ac3Registration}});
    const auto probed = probe(blueRay.build());
    EXPECT_EQ(probed->programs().front().videoPid, -1);
    EXPECT_TRUE(probed->reported("  No parameter set: no video PID"));
    EXPECT_TRUE(probed->reported("Chosen: the video on PID 0x0100, found by its start codes: the widest, then the "
                                 "first"));
}

TEST(ParameterSetSearch, TheVideoIsTheFirstListedThatCarriesPackets) {
    for (const bool absentFirst : {true, false}) {
        PacketEditor editor(mpeg2Recording);
        const StreamEntry absent{0x1B, absentPid};
        const StreamEntry recorded{0x02, videoPid};
        setPmts(editor, {absentFirst ? absent : recorded, absentFirst ? recorded : absent, {0x81, 0x101}});
        const auto probed = probe(editor.build());
        EXPECT_EQ(probed->demuxer().chosenVideoPid(), videoPid);
        EXPECT_EQ(probed->media->frameRate, 25.0);
    }
}

TEST(ParameterSetSearch, PassesOverASequenceHeaderThatCameDamagedOrScrambled) {
    for (const std::uint8_t flag : {std::uint8_t{0x80}, std::uint8_t{0x00}}) {
        PacketEditor editor(mpeg2Recording);
        auto& packet = editor.packets[firstVideoPacket(editor)];
        const Bytes sequenceHeaderCode{0x00, 0x00, 0x01, 0xB3};
        const auto sequence = std::search(packet.begin(), packet.end(), sequenceHeaderCode.begin(),
                                          sequenceHeaderCode.end());
        ASSERT_NE(sequence, packet.end());
        sequence[7] ^= 0x04;  // frame_rate_code 3 (25) becomes 7 (59.94)
        packet[1] |= flag;                  // transport_error_indicator
        if (flag == 0) packet[3] |= 0x80;  // or scrambled with the even key
        const auto probed = probe(editor.build());
        EXPECT_EQ(probed->media->frameRate, 25.0) << "the next group of pictures' sequence header";
    }
}

TEST(ParameterSetSearch, SearchesBehindTheVideosFirstClearPacketNotTheFilesStart) {
    // 10 MiB scrambled while a conditional-access module starts, then 7 MiB
    // of a group of pictures without a sequence header, then the recording's
    // video: its first sequence header lies 17 MiB into the file.
    PacketEditor recording(mpeg2Recording);
    TsBuilder stream;
    for (std::size_t i = 0; i < firstVideoPacket(recording); ++i) {
        stream.raw(Bytes(recording.packets[i].begin(), recording.packets[i].end()));
    }
    const int scrambledPackets = 10 * 1024 * 1024 / 188;
    for (int i = 0; i < scrambledPackets; ++i) {
        stream.raw({0x47, static_cast<std::uint8_t>((i % 22 == 0 ? 0x40 : 0x00) | videoPid >> 8), videoPid & 0xFF,
                    static_cast<std::uint8_t>(0x90 | (i & 0x0F))}).raw(Bytes(184, 0x5A));
    }
    while (stream.size() < 17u * 1024 * 1024) stream.pes(videoPid, videoPes(std::nullopt, Bytes(4000, 0xAA)));
    for (std::size_t i = firstVideoPacket(recording); i < recording.packets.size(); ++i) {
        stream.raw(Bytes(recording.packets[i].begin(), recording.packets[i].end()));
    }
    const auto probed = probe(stream);
    EXPECT_EQ(probed->media->frameRate, 25.0);
}

TEST(ParameterSetSearch, TakesTheRateOfTheTimeStampsWhereTheParameterSetHasNoTiming) {
    // An H.264 recording with B-frames (its time stamps out of order), with
    // a PES packet in front whose sequence parameter set has no VUI: Baseline,
    // 712 x 572 (00 00 00 01, the NAL header 0x67, the RBSP).
    PacketEditor editor("ts-25-1920x1080-h264-ac3.ts");
    const Bytes parameterSet{0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0xC0, 0x1E, 0xDA, 0x02, 0xD0, 0x49, 0xE5, 0xB4};
    TsBuilder front;
    front.pes(videoPid, videoPes(std::nullopt, parameterSet));
    PacketEditor::Packet packet;
    std::copy_n(front.build().begin(), 188, packet.begin());
    editor.packets.insert(editor.packets.begin() + static_cast<std::ptrdiff_t>(firstVideoPacket(editor)), packet);
    editor.numberCounters(videoPid);
    const auto probed = probe(editor.build());
    EXPECT_EQ(probed->media->frameRate, 25.0);
    EXPECT_EQ(probed->media->width, 712);
    EXPECT_TRUE(probed->reported("  Frame rate from the time stamps: 25 frames per second (17 PTS values, 3600 ticks "
                                 "apart)"));
}

TEST(ParameterSetSearch, HalvesTheTimeStampsCadenceOfFieldsCodedAsPictures) {
    // Main profile, 720 x 576 as 45 macroblocks by 18 field macroblock pairs,
    // frame_mbs_only_flag 0, no VUI; each field in a PES packet of its own.
    const Bytes parameterSet{0x00, 0x00, 0x00, 0x01, 0x67, 0x4D, 0x40, 0x1E, 0xF4, 0x05, 0xA1, 0x22, 0x40};
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, pmtPid}}));
    stream.section(pmtPid, pmtSection(1, videoPid, {{0x1B, videoPid}, {0x81, 0x101}}));
    for (int field = 0; field < 20; ++field) {
        stream.pes(videoPid, videoPes(90000 + 1800 * field, field == 0 ? parameterSet : Bytes(20, 0xAA)));
    }
    const auto probed = probe(stream.nullPackets(15));
    EXPECT_EQ(probed->media->width, 720);
    EXPECT_EQ(probed->media->height, 576);
    EXPECT_EQ(probed->media->frameRate, 25.0);
    EXPECT_TRUE(probed->reported("  Frame rate from the time stamps: 25 frames per second (17 PTS values, 1800 ticks "
                                 "apart, a field each)"));
}

}  // namespace
}  // namespace cut2edl::test

namespace cut2edl::test {
namespace {

struct WithoutTables {
    std::string file;
    double frameRate;
    int width;
};

void PrintTo(const WithoutTables& recording, std::ostream* out) { *out << recording.file; }

class ByStartCodes : public ::testing::TestWithParam<WithoutTables> {};

TEST_P(ByStartCodes, FindTheVideoOfARecordingWithoutTablesAndTheWidestOfSeveral) {
    PacketEditor editor(GetParam().file);
    for (auto& packet : editor.packets) {
        const int pid = PacketEditor::pidOf(packet);
        // The PAT, the SDT and the PMTs become null packets.
        if (pid == 0 || pid == 0x11 || pid == 0x1000 || pid == 0x1001) {
            packet[1] |= 0x1F;
            packet[2] = 0xFF;
        }
    }
    const auto probed = probe(editor.build());
    EXPECT_TRUE(probed->programs().front().foundByStartCodes);
    EXPECT_EQ(probed->media->frameRate, GetParam().frameRate);
    EXPECT_EQ(probed->media->width, GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    SharedRecordings, ByStartCodes,
    ::testing::Values(WithoutTables{"ts-25-720x576-ac3.ts", 25.0, 720},
                      WithoutTables{"ts-25-1920x1080-h264-ac3.ts", 25.0, 1920},
                      WithoutTables{"ts-25-720x576-hevc-ac3.ts", 25.0, 720},
                      WithoutTables{"ts-2prog-720x576-25-1920x1080-2997-ac3.ts", 29.97, 1920}));

}  // namespace
}  // namespace cut2edl::test
