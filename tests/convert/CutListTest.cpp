#include "convert/CutList.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "convert/TestSupport.h"

namespace cut2edl {
namespace {

// Frame numbers at one frame per second, so the seconds are the frames.
CutList framesOf(const std::string& text) {
    std::istringstream stream(text);
    return readCuts(stream, 1.0);
}

void expectCuts(const CutList& cuts, const std::vector<std::pair<double, double>>& expected) {
    ASSERT_EQ(cuts.size(), expected.size());
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        EXPECT_EQ(cuts[i].startSeconds, expected[i].first) << "cut " << i;
        EXPECT_EQ(cuts[i].endSeconds, expected[i].second) << "cut " << i;
    }
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

TEST(CutListReader, DividesByTheFrameRate) {
    std::istringstream text("1500 3000\n");
    expectCuts(readCuts(text, 25.0), {{60, 120}});
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

TEST(CutListFile, MissingFileOrDirectoryCannotBeRead) {
    const test::TempDir folder;
    EXPECT_FALSE(readCutList(folder / "missing.txt", 25.0));
    EXPECT_FALSE(readCutList(folder.path(), 25.0));
}

TEST(CutListFile, FileWithoutCutsGivesAnEmptyList) {
    const test::TempDir folder;
    test::writeFile(folder / "a.txt", "header only\n");
    const auto cuts = readCutList(folder / "a.txt", 25.0);
    ASSERT_TRUE(cuts);
    EXPECT_TRUE(cuts->empty());
}

}  // namespace
}  // namespace cut2edl
