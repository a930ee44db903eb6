#include <gtest/gtest.h>

#include "convert/Chapters.h"
#include "convert/chapter_files.h"
#include "convert/rate_fraction.h"

namespace cut2edl {
namespace {

constexpr bool show = false;
constexpr bool commercial = true;

// At 25 frames per second a frame lasts 0.04 s; every recording below lasts 60 s.
std::vector<Chapter> at25(const CutList& cuts, std::optional<double> duration = 60.0) {
    return chaptersOf(cuts, 25.0, duration);
}

TEST(Chapters, AlternateFromZeroToTheEndOfTheRecording) {
    EXPECT_EQ(at25({{10, 40}}), (std::vector<Chapter>{{0, 10, show}, {10, 40, commercial}, {40, 60, show}}));
    // A cut at frame 0 makes the first chapter a commercial; none at all, one show.
    EXPECT_EQ(at25({{0, 10}, {40, 50}}), (std::vector<Chapter>{{0, 10, commercial}, {10, 40, show},
                                                              {40, 50, commercial}, {50, 60, show}}));
    EXPECT_EQ(at25({}), (std::vector<Chapter>{{0, 60, show}}));
}

TEST(Chapters, CutsThatOverlapOrTouchAreOneCommercial) {
    // Frames 250-500 and 501-750 touch: 20 s and 20.04 s lie one frame apart.
    EXPECT_EQ(at25({{10, 20}, {20.04, 30}, {25, 28}}),
              (std::vector<Chapter>{{0, 10, show}, {10, 30, commercial}, {30, 60, show}}));
    // Two frames apart, one frame of show lies between them.
    EXPECT_EQ(at25({{10, 20}, {20.08, 30}}).size(), 5U);
}

TEST(Chapters, NoneIsShorterThanAFrame) {
    // A cut that starts and ends on one frame is none; a stretch shorter than a
    // frame at the start joins the chapter behind it, at the end the one before.
    EXPECT_EQ(at25({{30, 30}}), (std::vector<Chapter>{{0, 60, show}}));
    EXPECT_EQ(at25({{0.02, 10}, {50, 59.98}}),
              (std::vector<Chapter>{{0, 10, commercial}, {10, 50, show}, {50, 60, commercial}}));
    // Exactly one frame of show at the end stays a chapter.
    EXPECT_EQ(at25({{50, 59.96}}).back(), (Chapter{59.96, 60, show}));
}

TEST(Chapters, CutsPastTheEndAreClipped) {
    EXPECT_EQ(at25({{50, 70}, {65, 80}, {90, 95}}), (std::vector<Chapter>{{0, 50, show}, {50, 60, commercial}}));
}

TEST(Chapters, WithoutADurationTheLastEndsWithTheLastCut) {
    EXPECT_EQ(at25({{10, 40}}, std::nullopt), (std::vector<Chapter>{{0, 10, show}, {10, 40, commercial}}));
    EXPECT_TRUE(at25({}, std::nullopt).empty());
}

TEST(ChapterFiles, FfMetadataCountsMillisecondsRoundedToTheNearest) {
    std::ostringstream out;
    writeFfMetadata(out, {{0, 10.0005, commercial}, {10.0005, 3600.9994, show}});
    EXPECT_EQ(out.str(),
              ";FFMETADATA1\n"
              "[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=10001\ntitle=Commercial\n"
              "[CHAPTER]\nTIMEBASE=1/1000\nSTART=10001\nEND=3600999\ntitle=Show\n");
}

TEST(ChapterFiles, MatroskaTimesAndAFileWithoutChapters) {
    EXPECT_EQ(matroskaTime(0), "00:00:00.000000000");
    EXPECT_EQ(matroskaTime(3723.5), "01:02:03.500000000");
    EXPECT_EQ(matroskaTime(1001.0 / 30000), "00:00:00.033366667");
    EXPECT_EQ(matroskaTime(100 * 3600 + 0.04), "100:00:00.040000000");
    std::ostringstream out;
    writeMkvChapters(out, {});
    EXPECT_EQ(out.str().find("EditionEntry"), std::string::npos);
}

TEST(RateFraction, IsTheFractionTheRateIs) {
    const auto is = [](double rate, std::int64_t numerator, std::int64_t denominator) {
        const Fraction fraction = exactFraction(rate);
        EXPECT_EQ(fraction.numerator, numerator) << rate;
        EXPECT_EQ(fraction.denominator, denominator) << rate;
    };
    is(25, 25, 1);
    is(30000.0 / 1001, 30000, 1001);
    is(24000.0 * 3 / (1001 * 5), 14400, 1001);
    is(23.976, 2997, 125);
    is(59.94, 2997, 50);
    is(90000.0 / 3602, 45000, 1801);
}

}  // namespace
}  // namespace cut2edl
