#include "convert/Conversion.h"

#include <gtest/gtest.h>

#include "convert/PathForms.h"
#include "convert/TestSupport.h"

namespace cut2edl {
namespace {

namespace fs = boost::filesystem;

TEST(PathForms, ChangeExtensionReplacesOnlyTheLastExtension) {
    EXPECT_EQ(change_extension("/rec/a.b.txt", ".edl").string(), "/rec/a.b.edl");
    EXPECT_EQ(change_extension("/rec/.txt", ".edl").string(), "/rec/.edl");
    EXPECT_EQ(change_extension("/rec.d/show", ".mpg").string(), "/rec.d/show.mpg");
    EXPECT_EQ(change_extension("show.part1.txt", ".dvr-ms").string(), "show.part1.dvr-ms");
}

TEST(PathForms, NativeFormOfAPortablePath) {
#ifdef _WIN32
    EXPECT_EQ(native_file_string("D:/rec/a.txt"), "D:\\rec\\a.txt");
#else
    EXPECT_EQ(native_file_string("/rec/a.txt"), "/rec/a.txt");
#endif
}

class Conversion : public ::testing::Test {
protected:
    test::TempDir folder;
    fs::path cutList = folder / "a.txt";
    fs::path edl = folder / "a.edl";

    // A cut list beside a real 25 frames-per-second program stream.
    void useRealRecording() {
        test::copyDataFile("ps-25-720x576-ac3.txt", cutList);
        test::copyDataFile("ps-25-720x576-ac3.mpg", folder / "a.mpg");
    }

    std::string convert(RateSource rateFrom = RateSource::Auto) {
        const test::CoutCapture output;
        convertCutList(cutList, {EdlAction::Cut, rateFrom});
        return output.text();
    }

    std::string message(const std::string& reason) const {
        return "Unable to convert \"" + native_file_string(cutList) + "\" because " + reason + ".\n";
    }

    std::string note(const std::string& text) const {
        return "Note: \"" + native_file_string(cutList) + "\" " + text + "\n";
    }

    std::string rateNote(const std::string& counted, const std::string& problem) const {
        return note("was counted at " + counted + " frames per second, but " + problem +
                    "; the cut list's rate is used.");
    }
};

TEST_F(Conversion, CompanionVideoExtensionsAreTriedInOrder) {
    test::writeFile(cutList, "1 2\n");
    EXPECT_TRUE(findCompanionVideo(cutList).empty());
    for (const char* name : {"a.dvr-ms", "a.ts", "a.mpeg", "a.mpg"}) {
        test::writeFile(folder / name, "");
        EXPECT_EQ(findCompanionVideo(cutList), folder / name);
    }
    fs::create_directory(folder / "b.mpg");
    EXPECT_EQ(findCompanionVideo(folder / "b.txt"), folder / "b.mpg");
    fs::create_symlink(folder / "missing", folder / "c.mpg");
    EXPECT_TRUE(findCompanionVideo(folder / "c.txt").empty());
}

TEST_F(Conversion, MissingVideoIsReported) {
    test::writeFile(cutList, "1 2\n");
    EXPECT_EQ(convert(), message("no accompaning video file could be found"));
    EXPECT_FALSE(fs::exists(edl));
}

TEST_F(Conversion, UnrecognisedVideoHasNoFrameRate) {
    test::writeFile(cutList, "1 2\n");
    test::copyDataFile("neg-text.mpg", folder / "a.mpg");
    EXPECT_EQ(convert(), message("the frame rate could not be determined"));
    EXPECT_FALSE(fs::exists(edl));
}

TEST_F(Conversion, VideoThatCannotBeReadIsReported) {
    test::writeFile(cutList, "1 2\n");
    fs::create_directory(folder / "a.mpg");
    EXPECT_EQ(convert(), message("the video file could not be read"));
    EXPECT_FALSE(fs::exists(edl));
}

TEST_F(Conversion, WritesTheEdlSilently) {
    useRealRecording();
    EXPECT_EQ(convert(), "");
    EXPECT_EQ(test::readFile(edl), test::readFile(test::dataFile("ps-25-720x576-ac3.edl.expected")));
}

TEST_F(Conversion, CutListWithoutCutsGivesAnEmptyEdl) {
    useRealRecording();
    test::writeFile(cutList, "no cuts here\n");
    test::writeFile(edl, "0\t1\t0\r\n");
    EXPECT_EQ(convert(), "");
    EXPECT_EQ(test::readFile(edl), "");
}

TEST_F(Conversion, UnreadableCutListLeavesTheOldEdl) {
    useRealRecording();
    fs::remove(cutList);
    fs::create_symlink(folder / "gone.txt", cutList);
    test::writeFile(edl, "0\t1\t0\r\n");
    EXPECT_EQ(convert(), message("the cut list could not be read"));
    EXPECT_EQ(test::readFile(edl), "0\t1\t0\r\n");
}

TEST_F(Conversion, EdlThatCannotBeWrittenIsReported) {
    useRealRecording();
    fs::create_directory(edl);
    EXPECT_EQ(convert(), message("the EDL file could not be written"));
    EXPECT_TRUE(fs::is_directory(edl));
    EXPECT_FALSE(fs::exists(folder / "a.edl.tmp"));
}

const std::string fiftyPerSecond = "FILE PROCESSING COMPLETE  5000 FRAMES AT  5000\r\n---\r\n1500 3000\r\n";

TEST_F(Conversion, HeaderRateThatTheVideoDoesNotRunAtDividesWithANote) {
    useRealRecording();  // 25 frames per second
    test::writeFile(cutList, fiftyPerSecond);
    EXPECT_EQ(convert(), rateNote("50", "its video runs at 25"));
    EXPECT_EQ(test::readFile(edl), "30\t60\t0\r\n");
    EXPECT_EQ(convert(RateSource::Video), "");
    EXPECT_EQ(test::readFile(edl), "60\t120\t0\r\n");
}

TEST_F(Conversion, HeaderRateStandsInForAVideoThatGivesNone) {
    test::writeFile(cutList, fiftyPerSecond);
    EXPECT_EQ(convert(), rateNote("50", "no accompaning video file could be found"));
    EXPECT_EQ(test::readFile(edl), "30\t60\t0\r\n");
    EXPECT_EQ(convert(RateSource::Video), message("no accompaning video file could be found"));

    fs::create_directory(folder / "a.ts");
    EXPECT_EQ(convert(), rateNote("50", "its video file could not be read"));
    EXPECT_EQ(convert(RateSource::Video), message("the video file could not be read"));
    EXPECT_EQ(convert(RateSource::List), "");  // the video is not looked at

    test::copyDataFile("neg-text.mpg", folder / "a.mpg");
    EXPECT_EQ(convert(), rateNote("50", "the frame rate of its video could not be determined"));
    EXPECT_EQ(convert(RateSource::Video), message("the frame rate could not be determined"));
}

TEST_F(Conversion, ListAloneNeedsAHeaderAndAReadableList) {
    useRealRecording();
    test::writeFile(cutList, "1500 3000\n");
    EXPECT_EQ(convert(RateSource::List), message("the cut list states no frame rate"));
    fs::remove(cutList);
    fs::create_symlink(folder / "gone.txt", cutList);
    EXPECT_EQ(convert(RateSource::List), message("the cut list could not be read"));
}

// A lone sync byte makes a transport stream in which the packet reader finds
// no packet: its notice has no line end, and the note starts a line of its own.
TEST_F(Conversion, NoteAfterAParserNoticeStartsOnItsOwnLine) {
    test::writeFile(cutList, fiftyPerSecond);
    test::writeFile(folder / "a.ts", "\x47" + std::string(400, '\xAA'));
    EXPECT_EQ(convert(), "Could not find start of Header - check stream!\n" +
                             rateNote("50", "the frame rate of its video could not be determined"));
}

}  // namespace
}  // namespace cut2edl
