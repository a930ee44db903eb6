#include "convert/EdlWriter.h"

#include <sstream>

#include <gtest/gtest.h>

#include "convert/TestSupport.h"

namespace cut2edl {
namespace {

namespace fs = boost::filesystem;

std::string edlText(const CutList& cuts, EdlAction action = EdlAction::Cut) {
    std::ostringstream text;
    writeCuts(text, cuts, action);
    return text.str();
}

std::string startText(double frame, double rate) {
    const std::string line = edlText({{frame / rate, 0.0}});
    return line.substr(0, line.find('\t'));
}

TEST(EdlFormat, SecondsHaveSixSignificantDigits) {
    EXPECT_EQ(startText(1500, 25), "60");
    EXPECT_EQ(startText(1, 25), "0.04");
    EXPECT_EQ(startText(1234, 29.97), "41.1745");
    EXPECT_EQ(startText(1, 29.97), "0.0333667");
    EXPECT_EQ(startText(0, 29.97), "0");
    EXPECT_EQ(startText(90000, 25), "3600");
    EXPECT_EQ(startText(1, 30000.0 / 1001), "0.0333667");
    EXPECT_EQ(startText(249999, 25), "9999.96");
    EXPECT_EQ(startText(9999.996, 1), "10000");
    EXPECT_EQ(startText(1, 100000), "1e-05");
}

// Six digits would move a time of 10,000 s and more by up to 50 ms.
TEST(EdlFormat, LongRecordingsGetTheDigitsThatKeepEveryTimeWithin5Ms) {
    EXPECT_EQ(startText(300001, 25), "12000.04");
    EXPECT_EQ(startText(2592001, 25), "103680.04");
    EXPECT_EQ(startText(2592100, 25), "103684");
    EXPECT_EQ(startText(359999, 25), "14399.96");
    EXPECT_EQ(startText(360001, 25), "14400.04");
    EXPECT_EQ(startText(431568, 30000.0 / 1001), "14399.99");  // 14399.9856
    EXPECT_EQ(startText(25000000, 25), "1e+06");
    EXPECT_EQ(startText(25000001, 25), "1000000.04");
    EXPECT_EQ(startText(1, 0), "inf");
}

TEST(EdlFormat, OneCrLfLinePerCutInListOrder) {
    EXPECT_EQ(edlText({{60, 120}, {10, 5}, {60, 120}}), "60\t120\t0\r\n10\t5\t0\r\n60\t120\t0\r\n");
    EXPECT_EQ(edlText({}), "");
}

TEST(EdlFormat, ActionCodeIsTheThirdColumnOfEveryLine) {
    const CutList cuts = {{60, 120}, {10, 5}};
    EXPECT_EQ(edlText(cuts, EdlAction::Mute), "60\t120\t1\r\n10\t5\t1\r\n");
    EXPECT_EQ(edlText(cuts, EdlAction::SceneMarker), "60\t120\t2\r\n10\t5\t2\r\n");
    EXPECT_EQ(edlText(cuts, EdlAction::CommercialBreak), "60\t120\t3\r\n10\t5\t3\r\n");
}

class EdlFile : public ::testing::Test {
protected:
    test::TempDir folder;
    fs::path cutList = folder / "a.b.txt";
    fs::path edl = folder / "a.b.edl";
    fs::path temporary = folder / "a.b.edl.tmp";
};

TEST_F(EdlFile, ActionCodeReachesTheFileEitherWay) {
    ASSERT_TRUE(writeEdl(cutList, {{60, 120}}, EdlAction::CommercialBreak));
    EXPECT_EQ(test::readFile(edl), "60\t120\t3\r\n");
    fs::create_directory(temporary);
    ASSERT_TRUE(writeEdl(cutList, {{60, 120}}, EdlAction::Mute));
    EXPECT_EQ(test::readFile(edl), "60\t120\t1\r\n");
}

TEST_F(EdlFile, ReplacesTheOldEdlAndLeavesNoTemporaryFile) {
    test::writeFile(edl, "old contents that are longer than the new ones\r\n");
    ASSERT_TRUE(writeEdl(cutList, {{60, 120}}));
    EXPECT_EQ(test::readFile(edl), "60\t120\t0\r\n");
    EXPECT_FALSE(fs::exists(temporary));
}

TEST_F(EdlFile, EmptyListGivesAnEmptyFile) {
    test::writeFile(edl, "old\r\n");
    ASSERT_TRUE(writeEdl(cutList, {}));
    EXPECT_TRUE(fs::is_regular_file(edl));
    EXPECT_EQ(fs::file_size(edl), 0U);
}

TEST_F(EdlFile, CutListWithoutExtensionGetsEdlAppended) {
    ASSERT_TRUE(writeEdl(folder / "plain", {{1, 2}}));
    EXPECT_EQ(test::readFile(folder / "plain.edl"), "1\t2\t0\r\n");
}

TEST_F(EdlFile, DirectoryInTheWayIsReportedAndCleanedUp) {
    fs::create_directory(edl);
    EXPECT_FALSE(writeEdl(cutList, {{60, 120}}));
    EXPECT_TRUE(fs::is_directory(edl));
    EXPECT_FALSE(fs::exists(temporary));
}

TEST_F(EdlFile, WritesInPlaceWhenNoTemporaryFileCanBeMade) {
    fs::create_directory(temporary);
    test::writeFile(edl, "old\r\n");
    ASSERT_TRUE(writeEdl(cutList, {{60, 120}}));
    EXPECT_EQ(test::readFile(edl), "60\t120\t0\r\n");
}

TEST_F(EdlFile, FailsWhenNeitherWayIsOpen) {
    fs::create_directory(temporary);
    fs::create_directory(edl);
    EXPECT_FALSE(writeEdl(cutList, {{60, 120}}));
    EXPECT_TRUE(fs::is_directory(edl));
}

}  // namespace
}  // namespace cut2edl
