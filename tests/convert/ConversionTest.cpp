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

    std::string convert() {
        const test::CoutCapture output;
        convertCutList(cutList);
        return output.text();
    }

    std::string message(const std::string& reason) const {
        return "Unable to convert \"" + native_file_string(cutList) + "\" because " + reason + ".\n";
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

}  // namespace
}  // namespace cut2edl
