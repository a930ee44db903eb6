// The tables of a real recording rewritten as broadcasts send them: shared,
// damaged, versioned and incomplete. The recording is one program (number 1,
// PMT on PID 0x1000, MPEG-2 video 720 x 576 at 25 frames per second on PID
// 0x100, AC-3 on 0x101) whose PAT and PMT repeat 14 times.
#include <gtest/gtest.h>

#include "ts_test_support.h"

namespace cut2edl::test {
namespace {

constexpr int pmtPid = 0x1000;
constexpr int videoPid = 0x100;
const std::string recording = "ts-25-720x576-ac3.ts";

Bytes renumbered(Bytes pmt, int programNumber) {
    pmt[3] = static_cast<std::uint8_t>(programNumber >> 8);
    pmt[4] = static_cast<std::uint8_t>(programNumber);
    return withCrc(pmt);
}

Bytes withVersion(Bytes section, int version, bool current = true) {
    section[5] = static_cast<std::uint8_t>(0xC0 | version << 1 | (current ? 1 : 0));
    return withCrc(section);
}

// The PMT of a program that was not recorded: nothing comes on its PIDs.
Bytes unrecordedPmt(int programNumber) { return pmtSection(programNumber, 0x1F00, {{0x02, 0x1F00}, {0x81, 0x1F01}}); }

void setPats(PacketEditor& editor, const Bytes& pat) {
    for (const std::size_t at : editor.sectionStarts(0)) editor.setSections(at, {pat});
}

void expectRecordedProgramsRate(const Probed& probed) {
    EXPECT_EQ(probed.demuxer().chosenVideoPid(), videoPid);
    EXPECT_EQ(probed.media->frameRate, 25.0);
}

class SharedPmtPid : public ::testing::TestWithParam<bool> {};

TEST_P(SharedPmtPid, GivesTheRecordedProgramWhicheverSectionComesFirstInThePacket) {
    PacketEditor editor(recording);
    setPats(editor, patSection(1, {{1, pmtPid}, {2, pmtPid}}));
    for (const std::size_t at : editor.sectionStarts(pmtPid)) {
        const Bytes recorded = renumbered(editor.section(at), 2);
        const Bytes other = unrecordedPmt(1);
        editor.setSections(at, GetParam() ? std::vector{recorded, other} : std::vector{other, recorded});
    }
    const auto probed = probe(editor.build());
    ASSERT_EQ(probed->programs().size(), 2u);
    EXPECT_EQ(probed->programs()[0].videoPid, 0x1F00);
    EXPECT_EQ(probed->programs()[1].videoPid, videoPid);
    expectRecordedProgramsRate(*probed);
}

INSTANTIATE_TEST_SUITE_P(RecordedFirstOrSecond, SharedPmtPid, ::testing::Bool());

TEST(ProgramTables, PassesOverAFirstPmtWithAFlippedBitWithOrWithoutTheErrorFlagged) {
    for (const bool flagged : {false, true}) {
        PacketEditor editor(recording);
        auto& packet = editor.packets[editor.sectionStarts(pmtPid).front()];
        packet[5 + 13] ^= 0x08;  // the video's elementary_PID: 0x100 becomes 0x900
        if (flagged) packet[1] |= 0x80;
        const auto probed = probe(editor.build());
        expectRecordedProgramsRate(*probed);
        EXPECT_TRUE(probed->reported(flagged ? "  Passed over: 1 section received with transport_error_indicator set"
                                             : "  Passed over: 1 section with a wrong CRC_32"));
    }
}

TEST(ProgramTables, TakesTheFirstUnsoundSectionWhenNoSoundOneComes) {
    // Every PMT, then also every PAT, with a wrong CRC_32: the third
    // unsound repetition makes the first taken.
    for (const bool patsToo : {false, true}) {
        PacketEditor editor(recording);
        for (const std::size_t at : editor.sectionStarts(pmtPid)) editor.packets[at][5 + 0x1D + 2] ^= 0x01;
        if (patsToo) {
            for (const std::size_t at : editor.sectionStarts(0)) editor.packets[at][5 + 0x0D + 2] ^= 0x01;
        }
        const auto probed = probe(editor.build());
        expectRecordedProgramsRate(*probed);
        EXPECT_TRUE(probed->reported("  Passed over: 3 sections with a wrong CRC_32"));
        EXPECT_EQ(std::count(probed->report.begin(), probed->report.end(),
                             "  Taken though unsound, as no sound one came: the first, with a wrong CRC_32"),
                  patsToo ? 2 : 1);
    }
    // A recorder that writes its tables once, at the start, with a wrong CRC_32.
    PacketEditor once(recording);
    for (const int pid : {0, pmtPid}) {
        const auto starts = once.sectionStarts(pid);
        once.packets[starts.front()][5 + (pid == 0 ? 0x0D : 0x1D) + 2] ^= 0x01;
        for (auto later = starts.begin() + 1; later != starts.end(); ++later) once.packets[*later][1] |= 0x1F;
    }
    const auto probed = probe(once.build());
    expectRecordedProgramsRate(*probed);
    EXPECT_TRUE(probed->reported("  Passed over: 1 section with a wrong CRC_32"));
}

TEST(ProgramTables, ALostPacketSpoilsItsSectionARepeatedOneDoesNot) {
    // A PMT of three packets: 120 stream_identifier descriptors on the video.
    Bytes identifiers;
    for (int i = 0; i < 120; ++i) identifiers = identifiers + Bytes{0x52, 0x01, static_cast<std::uint8_t>(i)};
    const Bytes pmt = pmtSection(1, videoPid, {{0x02, videoPid, identifiers}, {0x81, 0x101}});
    for (const bool lost : {true, false}) {
        PacketEditor editor(recording);
        const auto starts = editor.sectionStarts(pmtPid);
        for (auto at = starts.rbegin(); at != starts.rend(); ++at) editor.spread(*at, pmt);
        editor.numberCounters(pmtPid);
        const auto middle = editor.packets.begin() + static_cast<std::ptrdiff_t>(starts.front() + 1);
        if (lost) {
            editor.packets.erase(middle);
        } else {
            editor.packets.insert(middle, *middle);
        }
        const auto probed = probe(editor.build());
        expectRecordedProgramsRate(*probed);
        EXPECT_EQ(probed->reported("  Passed over: 1 section missing a packet (continuity_counter out of order)"), lost);
    }
}

TEST(ProgramTables, PassesOverThePmtOfTheNextVersion) {
    PacketEditor editor(recording);
    const std::size_t first = editor.sectionStarts(pmtPid).front();
    editor.packets.insert(editor.packets.begin() + static_cast<std::ptrdiff_t>(first), editor.packets[first]);
    editor.setSections(first, {withVersion(unrecordedPmt(1), 1, false)});
    editor.numberCounters(pmtPid);
    const auto probed = probe(editor.build());
    expectRecordedProgramsRate(*probed);
    EXPECT_TRUE(probed->reported("  Passed over: 1 section with current_next_indicator 0 (not yet in force)"));
}

TEST(ProgramTables, StopsWaitingForPmtsThatDoNotComeWhileThePatRepeats) {
    // The recording with a PAT of 12 programs, of which only the first has a PMT.
    const auto probed = probe(readAll(dataFile("ts-25-720x576-ac3-mux-pat.ts")));
    ASSERT_EQ(probed->programs().size(), 12u);
    expectRecordedProgramsRate(*probed);
    EXPECT_EQ(std::count(probed->report.begin(), probed->report.end(),
                         "  No parameter set: no PMT came while three further PATs went by (taken as not recorded)"),
              11);
}

TEST(ProgramTables, ANewVersionOfThePatReplacesItsPrograms) {
    PacketEditor editor(recording);
    setPats(editor, withVersion(patSection(1, {{1, pmtPid}}), 1));
    editor.setSections(editor.sectionStarts(0).front(), {patSection(1, {{1, 0x1100}, {2, 0x1200}})});
    const auto probed = probe(editor.build());
    ASSERT_EQ(probed->programs().size(), 1u);
    EXPECT_EQ(probed->programs()[0].pmtPid, pmtPid);
    expectRecordedProgramsRate(*probed);
    EXPECT_TRUE(probed->reported("  Version 1 replaced version 0: its programs are the ones above"));
    EXPECT_TRUE(probed->reported("PMT (PID 0x1000, program 1):"));
}

TEST(ProgramTables, TakesAPmtOfAnotherNumberForTheOnlyProgramOnItsPid) {
    for (const bool shared : {false, true}) {
        PacketEditor editor(recording);
        if (shared) setPats(editor, patSection(1, {{1, pmtPid}, {2, pmtPid}}));
        for (const std::size_t at : editor.sectionStarts(pmtPid)) editor.setSections(at, {renumbered(editor.section(at), 7)});
        const auto probed = probe(editor.build());
        EXPECT_EQ(probed->programs().front().pmtParsed(), !shared);
        EXPECT_EQ(probed->reported("  Its program_number 7 is no program of the PAT: taken for program 1, the only one "
                                   "on its PID"), !shared);
    }
}

TEST(ProgramTables, CollectsAPatOfTwoSections) {
    PacketEditor editor(recording);
    Bytes first = patSection(1, {{2, 0x1200}});
    Bytes second = patSection(1, {{1, pmtPid}});
    first[7] = second[7] = 1;  // last_section_number
    second[6] = 1;
    for (const std::size_t at : editor.sectionStarts(0)) editor.setSections(at, {withCrc(second), withCrc(first)});
    const auto probed = probe(editor.build());
    ASSERT_EQ(probed->programs().size(), 2u);
    EXPECT_EQ(probed->programs()[0].programNumber, 2);
    expectRecordedProgramsRate(*probed);
}

}  // namespace
}  // namespace cut2edl::test
