#include <gtest/gtest.h>

#include <stdexcept>

#include "ps_test_support.h"

namespace cut2edl {
namespace {

using test::ScratchDir;
using test::StreamBuilder;

constexpr std::int64_t window = DemuxerPS::probeWindow;

std::shared_ptr<DemuxerPS> probed(MediaFile& media) { return std::dynamic_pointer_cast<DemuxerPS>(media.demuxer); }

std::int64_t firstPts(const DemuxerPS& demuxer) { return demuxer.tracker()->segmentList().front().base; }

struct Recording {
    const char* file;
    std::int64_t firstVideoPts;
    std::int32_t audioId;
};

TEST(DemuxerPSProbe, FindsStreamsAndFirstTimeStampOfEveryRecording) {
    // The MPEG-1 system stream carries its time stamps in MPEG-1 packet headers.
    for (const auto& [file, pts, audioId] : {Recording{"ps-23976-720x480-mp2.mpg", 48754, 0xC0},
                                             Recording{"ps-25-720x576-ac3.mpg", 48600, 0xBD},
                                             Recording{"ps-25-720x576-mp2.mpg", 48600, 0xC0},
                                             Recording{"ps-2997-720x480-mp2.mpg", 48003, 0xC0},
                                             Recording{"ps-2997-720x480-videoonly.mpeg", 48003, -1},
                                             Recording{"ps-50-720x576-mp2.mpg", 46800, 0xC0},
                                             Recording{"ps-mpeg1-25-352x288-mp2.mpg", 48600, 0xC0}}) {
        MediaFile media(test::dataFile(file));
        const auto demuxer = probed(media);
        ASSERT_TRUE(demuxer) << file;
        EXPECT_EQ(firstPts(*demuxer), pts) << file;
        EXPECT_EQ(demuxer->videoStream(), 0xE0) << file;
        EXPECT_EQ(demuxer->audioStream(), audioId) << file;
        EXPECT_EQ(demuxer->progress(), 0.0) << file;
    }
}

TEST(DemuxerPSProbe, FrameRateCodesGiveExactRates) {
    ScratchDir dir;
    const std::vector<double> rates{-1.0, 24000.0 / 1001.0, 24.0, 25.0, 30000.0 / 1001.0, 30.0, 50.0,
                                    60000.0 / 1001.0, 60.0, -1.0, -1.0};
    for (int code = 0; code < static_cast<int>(rates.size()); ++code) {
        const auto file = dir.write("rate.mpg", StreamBuilder().packHeader().sequenceHeader(1920, 1088, code).build());
        MediaFile media(file);
        EXPECT_EQ(media.frameRate, rates[static_cast<std::size_t>(code)]) << code;
        EXPECT_EQ(media.width, 1920);
        EXPECT_EQ(media.height, 1088);
    }
    EXPECT_EQ(30000.0 / 1001.0, 29.97002997002997);
}

TEST(DemuxerPSProbe, UnopenableFileThrows) {
    ScratchDir dir;
    test::ScratchOwner owner(dir);
    std::filesystem::create_symlink(dir.path("nowhere"), dir.path("dangling"));
    for (const auto& path : {dir.path("missing.mpg"), dir.path("dangling")}) {
        try {
            DemuxerPS demuxer(owner.get(), path.string());
            ADD_FAILURE() << "no exception for " << path;
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "Unable to open file");
        }
    }
}

TEST(DemuxerPSProbe, WithoutSequenceHeaderTheRateIsUnknown) {
    ScratchDir dir;
    MediaFile media(dir.write("noseq.mpg", StreamBuilder().packHeader().pes(0xE0, 7200, 100).pes(0xC0, 7000, 50).build()));
    EXPECT_EQ(media.frameRate, -1.0);
    EXPECT_EQ(media.width, 0);
    EXPECT_EQ(media.height, 0);
    EXPECT_EQ(firstPts(*probed(media)), 7200);
}

TEST(DemuxerPSProbe, WithoutVideoTheTrackerStartsAtZero) {
    ScratchDir dir;
    MediaFile media(dir.write("audio.mpg", StreamBuilder().packHeader().pes(0xC0, 7000, 50).pes(0xC0, 9000, 50).build()));
    const auto demuxer = probed(media);
    EXPECT_EQ(demuxer->videoStream(), -1);
    EXPECT_EQ(demuxer->audioStream(), 0xC0);
    EXPECT_EQ(firstPts(*demuxer), 0);
}

TEST(DemuxerPSProbe, SearchesEndAtTheEndOfTheFile) {
    ScratchDir dir;
    const std::vector<test::Bytes> endings{{}, {0}, {0, 0}, {0, 0, 1}, {0, 0, 1, 0xE0}, {0, 0, 1, 0xE0, 0, 9, 0x80}};
    for (const auto& ending : endings) {
        MediaFile media(dir.write("cut.mpg", StreamBuilder().packHeader().bytes(ending).build()));
        EXPECT_EQ(media.frameRate, -1.0);
        EXPECT_EQ(firstPts(*probed(media)), 0);
    }
}

TEST(DemuxerPSProbe, FirstVideoPacketWithoutPtsIsPassedOver) {
    ScratchDir dir;
    MediaFile media(dir.write("late.mpg", StreamBuilder()
                                              .packHeader()
                                              .sequenceHeader(720, 576, 3)
                                              .pes(0xE0, std::nullopt, 20)
                                              .pes(0xE0, 12345, 20)
                                              .build()));
    EXPECT_EQ(firstPts(*probed(media)), 12345);
}

TEST(DemuxerPSProbe, AStreamIdSettlesOnTwoConsecutiveStartCodesOfItsClass) {
    ScratchDir dir;
    StreamBuilder alternating;
    alternating.packHeader().pes(0xE0, 3600, 10).pes(0xC0, 3600, 10).pes(0xE1, 3600, 10).pes(0xC1, 3600, 10);
    alternating.pes(0xE1, 7200, 10).pes(0xC0, 7200, 10).pes(0xC1, 7200, 10).pes(0xC1, 7200, 10).pes(0xC0, 7200, 10);
    MediaFile media(dir.write("alternating.mpg", alternating.build()));
    EXPECT_EQ(probed(media)->audioStream(), 0xC1);
    EXPECT_EQ(probed(media)->videoStream(), 0xE1);

    // Never settled: the last id seen is kept.
    MediaFile unsettled(
        dir.write("unsettled.mpg", StreamBuilder().packHeader().pes(0xBD, 0, 10).pes(0xC2, 0, 10).build()));
    EXPECT_EQ(probed(unsettled)->audioStream(), 0xC2);
}

TEST(DemuxerPSProbe, MpegOneHeadersCarryTheFirstTimeStamp) {
    ScratchDir dir;
    struct Layout {
        std::size_t stuffing;
        bool stdBuffer;
        bool withDts;
    };
    for (const auto& [stuffing, stdBuffer, withDts] :
         {Layout{0, false, false}, Layout{0, true, true}, Layout{3, true, false}, Layout{16, false, true}}) {
        const auto file = dir.write("mpeg1.mpg", StreamBuilder()
                                                     .mpeg1PackHeader()
                                                     .sequenceHeader(352, 288, 3)
                                                     .mpeg1Pes(0xE0, 2, true, std::nullopt, false, 30)
                                                     .mpeg1Pes(0xE0, stuffing, stdBuffer, 0x1ABCDEF01, withDts, 30)
                                                     .build());
        MediaFile media(file);
        EXPECT_EQ(media.frameRate, 25.0);
        EXPECT_EQ(firstPts(*probed(media)), 0x1ABCDEF01) << stuffing << stdBuffer << withDts;
    }
}

// The probe looks at nothing at or beyond probeWindow; the cases sit a header
// right at the end of the window and one byte further.
TEST(DemuxerPSProbe, SequenceHeaderCountsOnlyWhollyInsideTheWindow) {
    ScratchDir dir;
    const auto head = StreamBuilder().packHeader().pes(0xE0, 3600, 10).pes(0xC0, 3600, 10).build();
    const auto sequence = StreamBuilder().sequenceHeader(720, 480, 4).build();
    const std::int64_t inside = window - 8;  // start code and the four size and rate bytes
    MediaFile found(dir.writeSparse("inside.mpg", head, inside, sequence));
    EXPECT_EQ(found.frameRate, 30000.0 / 1001.0);
    EXPECT_EQ(found.width, 720);

    MediaFile missed(dir.writeSparse("across.mpg", head, inside + 1, sequence));
    EXPECT_EQ(missed.frameRate, -1.0);
    EXPECT_EQ(missed.width, 0);
    EXPECT_EQ(missed.height, 0);
}

TEST(DemuxerPSProbe, StreamIdScanStopsAtTheWindowKeepingWhatItFound) {
    ScratchDir dir;
    const auto head = StreamBuilder().packHeader().sequenceHeader(720, 576, 3).pes(0xE0, 3600, 10).pes(0xE0, 7200, 10).build();
    const test::Bytes audioStart{0, 0, 1, 0xC0, 0, 0};
    MediaFile inside(dir.writeSparse("inside.mpg", head, window - 4, audioStart));
    EXPECT_EQ(probed(inside)->audioStream(), 0xC0);
    EXPECT_EQ(probed(inside)->videoStream(), 0xE0);

    MediaFile across(dir.writeSparse("across.mpg", head, window - 3, audioStart));
    EXPECT_EQ(probed(across)->audioStream(), -1);
    EXPECT_EQ(probed(across)->videoStream(), 0xE0);
    EXPECT_EQ(across.frameRate, 25.0);
    EXPECT_EQ(firstPts(*probed(across)), 3600);
}

TEST(DemuxerPSProbe, FirstTimeStampCountsOnlyWhollyInsideTheWindow) {
    ScratchDir dir;
    const auto head = StreamBuilder()
                          .packHeader()
                          .sequenceHeader(720, 576, 3)
                          .pes(0xE0, std::nullopt, 10)
                          .pes(0xE0, std::nullopt, 10)
                          .build();
    const auto late = StreamBuilder().pes(0xE0, 90000, 0).build();  // a 14-byte header
    MediaFile inside(dir.writeSparse("inside.mpg", head, window - 14, late));
    EXPECT_EQ(firstPts(*probed(inside)), 90000);

    MediaFile across(dir.writeSparse("across.mpg", head, window - 13, late));
    EXPECT_EQ(firstPts(*probed(across)), 0);
    EXPECT_EQ(across.frameRate, 25.0);
}

}  // namespace
}  // namespace cut2edl
