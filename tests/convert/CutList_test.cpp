#include "convert/CutList.h"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "convert/TestSupport.h"

namespace cut2edl {

// Found by the test library through the type's namespace.
void PrintTo(const FrameCut& cut, std::ostream* out) { *out << cut.startFrame << "-" << cut.endFrame; }

namespace {

std::vector<FrameCut> framesOf(const std::string& text) {
    std::istringstream stream(text);
    return readCuts(stream).cuts;
}

void expectCuts(const std::vector<FrameCut>& cuts, const std::vector<FrameCut>& expected) {
    EXPECT_EQ(cuts, expected);
}

TEST(CutListReader, EverySeparatorBetweenTwoNumbersGivesTheSameCut) {
    for (const char* line : {"100 200", "100-200", "  100\t200  ; first cut", "[100] [200]",
                             "100,200,ignored,tokens", "0100 200", "100_200", "100 200\r"}) {
        expectCuts(framesOf(line), {{100, 200}});
    }
}

TEST(CutListReader, LinesNotStartingWithTwoNumbersAreIgnored) {
    expectCuts(framesOf("start 100 200\n"
                        "100\n"
                        "100\r\n200\n"
                        "12a 20\n"
                        "0x10 20\n"
                        "10 20b\n"
                        "\n"
                        "---------------\n"
                        "2147483648 5\n"
                        "5 2147483648\n"
                        "1 2\n"),
               {{1, 2}});
}

TEST(CutListReader, PunctuationSplitsDecimalsAndTimesOfDay) {
    expectCuts(framesOf("10.5 20\n00:01:00 00:02:00\n"), {{10, 5}, {0, 1}});
}

TEST(CutListReader, CutsStayInFileOrderUnchecked) {
    expectCuts(framesOf("300 200\n100 400\n100 400\n2147483647 0\n"),
               {{300, 200}, {100, 400}, {100, 400}, {2147483647, 0}});
}

TEST(CutListReader, LastLineWithoutLineFeedIsRead) {
    expectCuts(framesOf("1 2\r\n3 4"), {{1, 2}, {3, 4}});
    expectCuts(framesOf("1 2\n3 4\n"), {{1, 2}, {3, 4}});
}

TEST(CutListReader, ZeroByteEndsTheLine) {
    expectCuts(framesOf(std::string("1\0 2\n3 4\0 junk\n", 15)), {{3, 4}});
}

TEST(CutListReader, HighBytesAreTokenCharacters) {
    expectCuts(framesOf("1\xA0 2\n\xFF"
                        "3 4\n5 6\xE9\n7\xC2\xA0"
                        "8\n9 10\n"),
               {{9, 10}});
}

TEST(CutListReader, OverlongLineIsCutAt1023CharactersAndReadingGoesOn) {
    const std::string fits = "1 2" + std::string(1020, ' ');  // 1023 characters
    expectCuts(framesOf(fits + "\n3 4\n"), {{1, 2}, {3, 4}});

    // The 1024th character would complete the second number: only its first digit counts.
    const std::string overlong = std::string(1020, ' ') + "5 67 89";
    expectCuts(framesOf(overlong + "\n8 9\n"), {{5, 6}, {8, 9}});

    const std::string huge = "10 20 " + std::string(100000, 'x');
    expectCuts(framesOf(huge + "\n30 40"), {{10, 20}, {30, 40}});
}

TEST(CutListReader, OverlongLastLineWithoutLineFeed) {
    expectCuts(framesOf("1 2\n" + std::string(1022, ' ') + "7 8 9"), {{1, 2}});
    expectCuts(framesOf("1 2\n3 4" + std::string(2000, ' ')), {{1, 2}, {3, 4}});
}

std::optional<CutListHeader> headerOf(const std::string& text) {
    std::istringstream stream(text);
    return readCuts(stream).header;
}

TEST(CutListHeader, CountAndRateOfTheDetectorsFirstLine) {
    const auto header = headerOf("FILE\tPROCESSING COMPLETE  53536 FRAMES \t AT  5000 \r\n---\r\n0\t1377\r\n");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->frameCount, 53536);
    EXPECT_EQ(header->frameRate, 50.0);
}

TEST(CutListHeader, RatesJustBelowAWholeNumberAreTheNtscFractions) {
    for (const auto& [written, rate] : std::vector<std::pair<std::string, double>>{
             {"2397", 24000.0 / 1001}, {"2398", 24000.0 / 1001}, {"2997", 30000.0 / 1001},
             {"5994", 60000.0 / 1001}, {"1000", 10.0}, {"2999", 29.99}}) {
        EXPECT_EQ(parseCutListHeader("FILE PROCESSING COMPLETE 1 FRAMES AT " + written).value().frameRate, rate);
    }
}

TEST(CutListHeader, OnlyTheFirstLineInTheDetectorsWordsCounts) {
    for (const char* line : {"FILE PROCESSING COMPLETE 53536 FRAMES AT 0", "file processing complete 1 FRAMES AT 2500",
                             "FILE PROCESSING COMPLETE 1 FRAMES AT 25.00", "FILE PROCESSING COMPLETE 1 FRAMES AT 2500 fps",
                             "FILE PROCESSING COMPLETE 1 FRAMES AT 99999999999"}) {
        EXPECT_FALSE(parseCutListHeader(line)) << line;
    }
    EXPECT_FALSE(headerOf("0 10\nFILE PROCESSING COMPLETE 1 FRAMES AT 2500\n"));
    EXPECT_TRUE(headerOf("\xEF\xBB\xBF" "FILE PROCESSING COMPLETE 1 FRAMES AT 2500\n"));
    EXPECT_EQ(framesOf("FILE PROCESSING COMPLETE 1 FRAMES AT 2500\n---\n0 10\n"), (std::vector<FrameCut>{{0, 10}}));
}

TEST(ValidCuts, BackwardCutsGoTheRestIsOrderedAndCutsSharingAFrameMerge) {
    const ValidCuts valid = validCuts({{500, 600}, {300, 200}, {100, 200}, {200, 250}, {1000, 2000},
                                       {1200, 1300}, {1000, 2000}, {2001, 2100}, {10, 9}});
    EXPECT_EQ(valid.cuts, (std::vector<FrameCut>{{100, 250}, {500, 600}, {1000, 2000}, {2001, 2100}}));
    EXPECT_EQ(valid.leftOut, 2U);
}

TEST(CutListFile, MissingFileOrDirectoryCannotBeRead) {
    const test::TempDir folder;
    EXPECT_FALSE(readCutList(folder / "missing.txt"));
    EXPECT_FALSE(readCutList(folder.path()));
}

TEST(CutListFile, FileWithoutCutsGivesAnEmptyList) {
    const test::TempDir folder;
    test::writeFile(folder / "a.txt", "header only\n");
    const auto list = readCutList(folder / "a.txt");
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->cuts.empty());
    EXPECT_FALSE(list->header);
}

}  // namespace
}  // namespace cut2edl
