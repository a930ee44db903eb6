#include <gtest/gtest.h>

#include "demux/DemuxerTS.h"
#include "ts_test_support.h"

namespace cut2edl::test {
namespace {

constexpr std::uint8_t mpeg2Video = 0x02;
constexpr std::uint8_t mpegAudio = 0x03;
constexpr std::uint8_t privateData = 0x06;
constexpr std::uint8_t ac3Audio = 0x81;

// A program's PMT on `pmtPid`, its video with one sequence header on `videoPid`.
void addProgram(TsBuilder& stream, int number, int pmtPid, int videoPid, const std::vector<StreamEntry>& audio,
                int width, int rateCode) {
    std::vector<StreamEntry> streams{{mpeg2Video, videoPid}};
    streams.insert(streams.end(), audio.begin(), audio.end());
    stream.section(pmtPid, pmtSection(number, videoPid, streams));
    stream.pes(videoPid, videoPes(90000, sequenceHeader(width, 576, rateCode)));
}

TEST(DemuxerTsProbe, ChoosesTheWidestCompleteProgramAndItsRoundedRate) {
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}, {2, 0x200}, {3, 0x300}}));
    addProgram(stream, 1, 0x100, 0x101, {{ac3Audio, 0x102}}, 720, 3);
    addProgram(stream, 2, 0x200, 0x201, {{ac3Audio, 0x202}}, 1920, 4);
    addProgram(stream, 3, 0x300, 0x301, {{ac3Audio, 0x302}}, 1920, 6);
    const auto probed = probe(stream.nullPackets(15));
    EXPECT_EQ(probed->media->frameRate, 29.97) << "code 4 of the second program, not 30000/1001";
    EXPECT_EQ(probed->media->width, 1920);
    EXPECT_EQ(probed->demuxer().chosenVideoPid(), 0x201);
    EXPECT_EQ(probed->demuxer().chosenAudioPid(), 0x202);
    EXPECT_EQ(probed->demuxer().tracker()->segmentList().front().base, 90000);
}

TEST(DemuxerTsProbe, WithoutAc3AudioPrefersTheProgramsWithSound) {
    const Bytes ac3Descriptor{0x7A, 0x01, 0x00};
    const Bytes teletext{0x56, 0x05, 'i', 't', 'a', 0x09, 0x00};
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}, {2, 0x200}, {3, 0x300}, {4, 0x400}}));
    addProgram(stream, 1, 0x100, 0x101, {{privateData, 0x102, teletext}}, 1920, 6);
    addProgram(stream, 2, 0x200, 0x201, {{mpegAudio, 0x202}}, 720, 3);
    addProgram(stream, 3, 0x300, 0x301, {{privateData, 0x302, teletext + ac3Descriptor}}, 720, 1);
    addProgram(stream, 4, 0x400, 0x401, {}, 1280, 7);
    const auto probed = probe(stream.nullPackets(15));
    const auto& programs = probed->programs();
    ASSERT_EQ(programs.size(), 4u);
    EXPECT_FALSE(programs[0].hasAudio);
    EXPECT_TRUE(programs[1].hasAudio);
    EXPECT_TRUE(programs[2].hasAudio) << "E-AC-3 signalled behind another descriptor";
    EXPECT_FALSE(programs[1].complete());
    EXPECT_EQ(probed->media->frameRate, 25.0);
    EXPECT_EQ(probed->demuxer().chosenVideoPid(), 0x201) << "with sound and as wide as the third: the earlier";
}

TEST(DemuxerTsProbe, AssemblesAPmtWhoseContinuationCarriesAnAdaptationField) {
    // The video stream comes last in a PMT that the first packet cannot hold.
    std::vector<StreamEntry> streams;
    for (int i = 0; i < 25; ++i) streams.push_back({privateData, 0x120 + i, {0x52, 0x01, static_cast<std::uint8_t>(i)}});
    streams.push_back({mpeg2Video, 0x101});
    streams.push_back({ac3Audio, 0x102});
    const Bytes pmt = pmtSection(1, 0x101, streams);
    ASSERT_GT(pmt.size(), 183u);
    Bytes first{0x00};
    first.insert(first.end(), pmt.begin(), pmt.begin() + 183);
    const Bytes rest(pmt.begin() + 183, pmt.end());
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}})).packet(0x100, true, first).packet(0x100, false, rest);
    stream.pes(0x101, videoPes(90000, sequenceHeader(720, 576, 3))).nullPackets(15);
    const auto probed = probe(stream);
    EXPECT_EQ(probed->programs().at(0).videoPid, 0x101);
    EXPECT_EQ(probed->media->frameRate, 25.0);
}

TEST(DemuxerTsProbe, ParsesEachSectionOnlyInTheRoundThatAssembledIt) {
    const Bytes pmt = pmtSection(1, 0x101, {{mpeg2Video, 0x101}, {ac3Audio, 0x102}});
    Bytes first{0x00};
    first.insert(first.end(), pmt.begin(), pmt.begin() + 10);
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}}));
    // The PMT's second packet comes behind another PAT.
    stream.packet(0x100, true, first).section(0, patSection(1, {{1, 0x100}}));
    stream.packet(0x100, false, Bytes(pmt.begin() + 10, pmt.end()));
    stream.pes(0x101, videoPes(90000, sequenceHeader(720, 576, 3))).nullPackets(15);
    const auto probed = probe(stream);
    const auto& parsed = *probed->demuxer().tables().pmtOf(1);
    EXPECT_EQ(parsed.header.table_id.value, 0x02);
    EXPECT_EQ(parsed.PCR_PID.value, 0x101);
    EXPECT_EQ(probed->media->frameRate, 25.0);
}

TEST(DemuxerTsProbe, TheNetworkPidIsNoProgram) {
    TsBuilder stream;
    stream.section(0, patSection(1, {{0, 0x10}, {1, 0x100}}));
    addProgram(stream, 1, 0x100, 0x101, {{ac3Audio, 0x102}}, 720, 3);
    const auto probed = probe(stream.nullPackets(15));
    ASSERT_EQ(probed->programs().size(), 1u);
    EXPECT_EQ(probed->programs()[0].pmtPid, 0x100);
    EXPECT_EQ(probed->demuxer().tables().patSections().at(0)->programs->program_number.value, 0) << "kept in the PAT";
}

TEST(DemuxerTsProbe, TakesTheFirstPtsOfAVideoPesThatHasOne) {
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}}));
    stream.section(0x100, pmtSection(1, 0x101, {{mpeg2Video, 0x101}, {ac3Audio, 0x102}}));
    stream.pes(0x101, videoPes(std::nullopt, sequenceHeader(720, 576, 3)));
    stream.pes(0x101, videoPes(4500000, Bytes(20, 0xAA))).nullPackets(15);
    const auto probed = probe(stream);
    EXPECT_EQ(probed->demuxer().tracker()->segmentList().front().base, 4500000);
}

TEST(DemuxerTsProbe, ASequenceHeaderCutBeforeItsRateDoesNotEndTheSearch) {
    // The first PES fills 22 packets (4048 bytes of video); its sequence
    // header begins 6 bytes before their end.
    Bytes first = videoPes(90000, {});
    first.resize(4048 - 6, 0xAA);
    first = first + sequenceHeader(1920, 1080, 4);
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}}));
    stream.section(0x100, pmtSection(1, 0x101, {{mpeg2Video, 0x101}, {ac3Audio, 0x102}}));
    stream.pes(0x101, first).pes(0x101, videoPes(180000, sequenceHeader(720, 576, 3))).nullPackets(15);
    const auto probed = probe(stream);
    EXPECT_EQ(probed->media->width, 720);
    EXPECT_EQ(probed->media->frameRate, 25.0);
}

TEST(DemuxerTsProbe, AnH264ProgramWithoutTimingCountsAsOneWithoutAParameterSet) {
    // Baseline, 712 x 572, no VUI: 00 00 00 01, the NAL header 0x67, the RBSP.
    const Bytes parameterSet{0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0xC0, 0x1E, 0xDA, 0x02, 0xD0, 0x49, 0xE5, 0xB4};
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}, {2, 0x200}}));
    stream.section(0x100, pmtSection(1, 0x101, {{0x1B, 0x101}, {ac3Audio, 0x102}}));
    stream.pes(0x101, videoPes(90000, parameterSet));
    addProgram(stream, 2, 0x200, 0x201, {{mpegAudio, 0x202}}, 704, 3);
    const auto probed = probe(stream.nullPackets(15));
    EXPECT_EQ(probed->programs().at(0).videoPid, 0x101);
    EXPECT_FALSE(probed->programs().at(0).hasSequenceHeader());
    const auto& report = probed->report;
    EXPECT_NE(std::find(report.begin(), report.end(),
                        "  No frame rate: the sequence parameter set carries no timing information"),
              report.end());
    EXPECT_EQ(probed->media->width, 704);
    EXPECT_EQ(probed->media->frameRate, 25.0);
}

TEST(DemuxerTsProbe, ReadsOnForASequenceExtensionCutOffByTheBuffer) {
    // The sequence header ends with the 4048 bytes collected; its extension,
    // scaling 25 by 3 / 5, follows in the next packet.
    Bytes pes = videoPes(90000, {});
    pes.resize(4048 - 12, 0xAA);
    pes = pes + sequenceHeader(352, 288, 3) + Bytes{0x00, 0x00, 0x01, 0xB5, 0x14, 0x8A, 0x00, 0x01, 0x00, 0x44};
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}}));
    stream.section(0x100, pmtSection(1, 0x101, {{mpeg2Video, 0x101}, {ac3Audio, 0x102}}));
    stream.pes(0x101, pes).nullPackets(15);
    const auto probed = probe(stream);
    EXPECT_EQ(probed->media->frameRate, 15.0);
}

TEST(DemuxerTsProbe, SearchesOnlyWhatThereIsToSearch) {
    TsBuilder noVideo;
    noVideo.section(0, patSection(1, {{1, 0x100}})).section(0x100, pmtSection(1, 0x102, {{ac3Audio, 0x102}}));
    const auto audioOnly = probe(noVideo.nullPackets(15));
    EXPECT_EQ(audioOnly->media->frameRate, -1.0);
    EXPECT_EQ(audioOnly->programs().at(0).width, -1);

    TsBuilder noTables;
    noTables.pes(0x101, videoPes(90000, sequenceHeader(720, 576, 3))).nullPackets(15);
    const auto byStartCodes = probe(noTables);
    EXPECT_EQ(byStartCodes->media->frameRate, 25.0);
    EXPECT_TRUE(byStartCodes->reported("No program in the tables: the video is looked for by its start codes"));
}

TEST(DemuxerTsProbe, APmtThatDoesNotComeWithin16MiBOfThePatIsNotWaitedFor) {
    TsBuilder stream;
    stream.section(0, patSection(1, {{1, 0x100}, {2, 0x200}}));
    addProgram(stream, 1, 0x100, 0x101, {{ac3Audio, 0x102}}, 720, 3);
    stream.nullPackets(static_cast<int>(DemuxerTS::probeBound / 188) + 1);
    addProgram(stream, 2, 0x200, 0x201, {{ac3Audio, 0x202}}, 1920, 4);
    const auto probed = probe(stream.nullPackets(15));
    EXPECT_FALSE(probed->programs().at(1).pmtParsed());
    EXPECT_EQ(probed->media->width, 720);
}

TEST(DemuxerTsProbe, PassesOverPacketsAndSectionsItCannotRead) {
    TsBuilder stream;
    Bytes pointerBeyond{200};
    pointerBeyond.insert(pointerBeyond.end(), 183, 0x00);
    stream.packet(0, true, pointerBeyond);
    // A section_length of 0xFFF over many packets, then one ending in the next.
    Bytes huge = patSection(1, {{1, 0x100}});
    huge[1] = 0xBF;
    huge[2] = 0xFF;
    huge.resize(5000, 0x00);
    stream.section(0, huge);
    // No payload: adaptation_field_control 2, and a length beyond 183.
    stream.raw({0x47, 0x40, 0x00, 0x20, 0xB7}).raw(Bytes(183, 0x00));
    stream.raw({0x47, 0x40, 0x00, 0x30, 0xB8}).raw(Bytes(183, 0x00));
    stream.section(0, patSection(1, {{1, 0x100}}));
    addProgram(stream, 1, 0x100, 0x101, {{ac3Audio, 0x102}}, 720, 3);
    const auto probed = probe(stream.nullPackets(15));
    EXPECT_EQ(probed->media->frameRate, 25.0);
}

}  // namespace
}  // namespace cut2edl::test
