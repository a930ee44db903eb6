#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/program_run_support.h"
#include "command_output.h"

namespace cut2edl {
namespace {

using test::commandOutput;

// The recording's 38 pictures at 25 frames per second last 1.52 s; frames
// 0-10 and 20-30 are cut.
class ChapterFormats : public ::testing::Test {
protected:
    void SetUp() override {
        test::copyDataFile("ts-25-720x576-ac3.ts", folder / "show.ts");
        test::writeFile(folder / "show.txt", "0 10\n20 30\n");
    }

    ProgramRun convert(const std::vector<std::string>& options) {
        std::vector<std::string> arguments = {"--no-pause"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.push_back("show.txt");
        return runProgram(folder.path(), arguments);
    }

    // ffprobe's chapters of a muxed file: start, end and title, one line each.
    std::string chaptersOf(const fs::path& muxed) const {
        return commandOutput("ffprobe -v error -show_entries chapter=start_time,end_time:chapter_tags=title -of "
                             "csv=p=0 " + quoted(muxed.string()));
    }

    test::TempDir folder;
    const std::string expectedChapters =
        "0.000000,0.400000,Commercial\n0.400000,0.800000,Show\n0.800000,1.200000,Commercial\n1.200000,1.520000,Show\n";
};

TEST_F(ChapterFormats, FfmpegMuxesTheMetadataChapters) {
    EXPECT_EQ(convert({"--format", "ffmetadata"}).out, summary(false, false, {}, {"show.txt"}));
    EXPECT_FALSE(fs::exists(folder / "show.edl"));
    EXPECT_EQ(test::readFile(folder / "show.ffmeta"),
              ";FFMETADATA1\n"
              "[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=400\ntitle=Commercial\n"
              "[CHAPTER]\nTIMEBASE=1/1000\nSTART=400\nEND=800\ntitle=Show\n"
              "[CHAPTER]\nTIMEBASE=1/1000\nSTART=800\nEND=1200\ntitle=Commercial\n"
              "[CHAPTER]\nTIMEBASE=1/1000\nSTART=1200\nEND=1520\ntitle=Show\n");
    if (std::system("command -v ffmpeg > /dev/null") != 0) GTEST_SKIP() << "ffmpeg is not installed";
    const fs::path muxed = folder / "show.mkv";
    ASSERT_EQ(std::system(("cd " + quoted(folder.path().string()) +
                           " && ffmpeg -v error -i show.ts -i show.ffmeta -map 0 -map_chapters 1 -c copy show.mkv")
                              .c_str()),
              0);
    EXPECT_EQ(chaptersOf(muxed), expectedChapters);
}

TEST_F(ChapterFormats, MkvmergeMuxesTheMatroskaChapters) {
    convert({"--format", "mkvchapters"});
    if (std::system("command -v mkvmerge > /dev/null") != 0) GTEST_SKIP() << "mkvmerge is not installed";
    const fs::path muxed = folder / "show.mkv";
    ASSERT_EQ(std::system(("mkvmerge -q -o " + quoted(muxed.string()) + " --chapters " +
                           quoted((folder / "show.chapters.xml").string()) + " " + quoted((folder / "show.ts").string()))
                              .c_str()),
              0);
    const auto identified = nlohmann::json::parse(commandOutput("mkvmerge -J " + quoted(muxed.string())));
    EXPECT_EQ(identified["chapters"][0]["num_entries"], 4);
    EXPECT_EQ(chaptersOf(muxed), expectedChapters);
}

TEST_F(ChapterFormats, JsonTellsTheRateItsSourceTheVideoAndTheCuts) {
    convert({"--format", "json,edl", "--format=json"});
    EXPECT_EQ(test::readFile(folder / "show.edl"), "0\t0.4\t0\r\n0.8\t1.2\t0\r\n");
    const auto record = nlohmann::json::parse(test::readFile(folder / "show.json"));
    EXPECT_EQ(record["cutList"], "show.txt");
    EXPECT_EQ(record["video"], (nlohmann::json{{"path", "show.ts"}, {"width", 720}, {"height", 576}, {"duration", 1.52}}));
    EXPECT_EQ(record["frameRate"], (nlohmann::json{{"value", 25.0}, {"numerator", 25}, {"denominator", 1},
                                                   {"from", "video"}, {"why", "the cut list has no header"}}));
    EXPECT_EQ(record["cuts"][1],
              (nlohmann::json{{"startFrame", 20}, {"endFrame", 30}, {"startSeconds", 0.8}, {"endSeconds", 1.2}}));
    EXPECT_EQ(record["chapters"].size(), 4U);
}

TEST_F(ChapterFormats, WithoutTheVideoTheChaptersEndWithTheLastCut) {
    test::writeFile(folder / "show.txt", "FILE PROCESSING COMPLETE  38 FRAMES AT  2997\n0 10\n");
    const ProgramRun run = convert({"--rate-from", "list", "--format", "ffmetadata,json"});
    EXPECT_EQ(run.out, summary(false, false, {}, {"show.txt"}) +
                           note("show.txt", "ends its chapters with its last cut, as the recording's duration is "
                                            "unknown."));
    // Frame 10 at 30000/1001 frames per second: 0.3336667 s.
    EXPECT_EQ(test::readFile(folder / "show.ffmeta"),
              ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=334\ntitle=Commercial\n");
    const auto record = nlohmann::json::parse(test::readFile(folder / "show.json"));
    EXPECT_TRUE(record["video"].is_null());
    EXPECT_EQ(record["frameRate"]["numerator"], 30000);
    EXPECT_EQ(record["frameRate"]["denominator"], 1001);
    EXPECT_EQ(record["frameRate"]["from"], "cutList");
}

TEST_F(ChapterFormats, AFileThatCannotBeWrittenIsNamedAndTheOthersAreWritten) {
    fs::create_directory(folder / "show.chapters.xml");
    const ProgramRun run = convert({"--format", "mkvchapters,edl,ffmetadata"});
    EXPECT_EQ(run.out, summary(false, false, {}, {"show.txt"}) +
                           unable("show.txt", "the Matroska chapters file \"show.chapters.xml\" could not be written"));
    EXPECT_TRUE(fs::exists(folder / "show.edl"));
    EXPECT_TRUE(fs::exists(folder / "show.ffmeta"));
    EXPECT_FALSE(fs::exists(folder / "show.chapters.xml.tmp"));
}

TEST_F(ChapterFormats, AnUnknownFormatIsACommandLineError) {
    const ProgramRun run = convert({"--format", "edl,srt"});
    EXPECT_EQ(run.out.rfind("the argument ('edl,srt') for option '--format' is invalid\nUsage: cut2edl", 0), 0U)
        << run.out;
    EXPECT_FALSE(fs::exists(folder / "show.edl"));
}

}  // namespace
}  // namespace cut2edl
