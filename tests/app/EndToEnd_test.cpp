// Runs the built program on copies of the recordings in tests/data, with standard
// input from /dev/null, and compares its console text and EDL files byte for byte.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <boost/regex.hpp>
#include <gtest/gtest.h>

#include "command_output.h"
#include "convert/TestSupport.h"
#include "program_run_support.h"

namespace cut2edl {
namespace {


// One recording of tests/data/expected.tsv.
struct Recording {
    std::string video;      // file name of the video
    std::string container;  // ps, ts, asf or unknown
    std::string expect;     // edl or no-rate

    std::string base() const { return video.substr(0, video.rfind('.')); }
};

void PrintTo(const Recording& row, std::ostream* out) { *out << row.video; }

std::vector<Recording> recordings() {
    std::ifstream table(test::dataFile("expected.tsv").string());
    std::string line;
    std::getline(table, line);  // column names
    std::vector<Recording> rows;
    while (std::getline(table, line)) {
        std::vector<std::string> columns;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) columns.push_back(field);
        // file, bytes, container, ..., expect is column 13
        if (columns.size() > 13) rows.push_back({columns[0], columns[2], columns[13]});
    }
    return rows;
}

class EveryRecording : public ::testing::TestWithParam<Recording> {};

std::string testNameOf(const ::testing::TestParamInfo<Recording>& info) {
    std::string name = info.param.base();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

// The notes that a recording's cut list gets: every list whose video gives no
// rate has a header of 25 frames per second, and two lists hold the cut 1234 1.
std::string notesOf(const Recording& row, const fs::path& cutList) {
    if (row.expect == "no-rate") {
        return note(cutList, "was counted at 25 frames per second, but the frame rate of its video could not be "
                             "determined; the cut list's rate is used.");
    }
    if (row.base() == "ts-2997-720x480-ac3" || row.base() == "asf-2997-720x480-mp2") {
        return note(cutList, "holds 1 cut that ends before it starts; it is left out.");
    }
    return "";
}

TEST_P(EveryRecording, ConvertsToTheExpectedEdlOrSaysWhyNot) {
    const Recording& row = GetParam();
    const test::TempDir folder;
    const fs::path cutList = folder / (row.base() + ".txt");
    const fs::path edl = folder / (row.base() + ".edl");
    test::copyDataFile(row.base() + ".txt", cutList);
    test::copyDataFile(row.video, folder / row.video);

    const ProgramRun run = runProgram(folder.path(), {cutList.string()});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, summary(false, false, {}, {cutList}) + notesOf(row, cutList));
    EXPECT_EQ(test::readFile(edl), test::readFile(test::dataFile(row.base() + ".edl.expected")));
}

INSTANTIATE_TEST_SUITE_P(TestData, EveryRecording, ::testing::ValuesIn(recordings()), testNameOf);

// H.264 recordings made with libx264 for these tests, beside the shared ones.
const Recording h264Recordings[] = {
    {"ts-25-720x576-h264-ac3.ts", "ts", "edl"},
    {"ts-25i-1920x1080-h264-ac3.ts", "ts", "edl"},
    {"ts-2997-720x480-h264-ac3.ts", "ts", "edl"},
    {"ts-50-1280x720-h264-ac3.ts", "ts", "edl"},
    {"ts-5994-1280x720-h264-ac3.ts", "ts", "edl"},
    {"ts-25-1920x1080-h264-ac3.ts", "ts", "edl"},
    {"ts-25-1920x1080-h264-422-ac3.ts", "ts", "edl"},
    {"ts-2prog-720x576-25-mpeg2-1920x1080-2997-h264-ac3.ts", "ts", "edl"},
};
INSTANTIATE_TEST_SUITE_P(H264, EveryRecording, ::testing::ValuesIn(h264Recordings), testNameOf);

// HEVC recordings made with libx265 for these tests; the field-coded one counts 50 pictures a second.
const Recording hevcRecordings[] = {
    {"ts-25-720x576-hevc-ac3.ts", "ts", "edl"},    {"ts-25-720x576-hevc10-ac3.ts", "ts", "edl"},
    {"ts-2997-720x480-hevc-ac3.ts", "ts", "edl"},  {"ts-50-1280x720-hevc-ac3.ts", "ts", "edl"},
    {"ts-5994-1280x720-hevc-ac3.ts", "ts", "edl"}, {"ts-25-1920x1080-hevc-ac3.ts", "ts", "edl"},
    {"ts-25i-1920x1080-hevc-ac3.ts", "ts", "edl"},
};
INSTANTIATE_TEST_SUITE_P(Hevc, EveryRecording, ::testing::ValuesIn(hevcRecordings), testNameOf);

// MPEG-2 recordings of 15 and 12 frames per second, whose sequence extension
// scales the rate of their frame_rate_code.
const Recording scaledRateRecordings[] = {
    {"ps-15-352x288-mp2.mpg", "ps", "edl"},   {"ts-15-352x288-ac3.ts", "ts", "edl"},
    {"asf-15-352x288-mp2.dvr-ms", "asf", "edl"}, {"ps-12-352x288-mp2.mpg", "ps", "edl"},
    {"ts-12-352x288-ac3.ts", "ts", "edl"},    {"asf-12-352x288-mp2.dvr-ms", "asf", "edl"},
};
INSTANTIATE_TEST_SUITE_P(ScaledRate, EveryRecording, ::testing::ValuesIn(scaledRateRecordings), testNameOf);

TEST(EndToEnd, TableNamesRecordingsOfEveryKind) {
    std::set<std::string> kinds;
    for (const Recording& row : recordings()) kinds.insert(row.container);
    EXPECT_EQ(kinds, (std::set<std::string>{"ps", "ts", "asf", "unknown"}));
}

// A recording with every 188 bytes widened: `before` bytes in front of each
// packet (a time stamp) and `after` behind it (parity bytes).
std::string widenedPackets(const std::string& packets, std::size_t before, std::size_t after) {
    std::string wide;
    for (std::size_t at = 0; at + 188 <= packets.size(); at += 188) {
        wide += std::string(before, '\x01') + packets.substr(at, 188) + std::string(after, '\x47');
    }
    return wide;
}

// Junk with a stray sync byte after every `every` packets.
std::string damaged(const std::string& packets, std::size_t every) {
    std::string result;
    for (std::size_t at = 0; at < packets.size(); at += 188 * every) result += packets.substr(at, 188 * every) + "\x47junk";
    return result;
}

TEST(EndToEnd, RecordingsAsTheyComeConvertLikeCleanOnes) {
    const std::string ts = test::readFile(test::dataFile("ts-25-720x576-ac3.ts"));
    const std::string ps = test::readFile(test::dataFile("ps-25-720x576-mp2.mpg"));
    const std::string junk = std::string(100, '\0') + "\x47" + std::string(200, '\xAA');
    const std::vector<std::tuple<std::string, std::string, std::string>> variants = {
        {"show192.m2ts", widenedPackets(ts, 4, 0), "ts-25-720x576-ac3"},
        {"show204.ts", widenedPackets(ts, 0, 16), "ts-25-720x576-ac3"},
        {"prefixed.ts", junk + ts, "ts-25-720x576-ac3"},
        {"plainprefix.mts", std::string(333, '\x20') + ts, "ts-25-720x576-ac3"},
        {"damaged.ts", damaged(ts, 7), "ts-25-720x576-ac3"},
        {"stray.mpg", "\x47" + std::string(20, '\0') + ps, "ps-25-720x576-mp2"},
    };
    const test::TempDir folder;
    std::vector<fs::path> cutLists;
    for (const auto& [video, bytes, original] : variants) {
        const fs::path cutList = folder / (fs::path(video).stem().string() + ".txt");
        test::copyDataFile(original + ".txt", cutList);
        test::writeFile(folder / video, bytes);
        cutLists.push_back(cutList);
    }
    std::vector<std::string> arguments;
    for (const fs::path& cutList : cutLists) arguments.push_back(cutList.string());
    const ProgramRun run = runProgram(folder.path(), arguments);
    EXPECT_EQ(run.out, summary(false, false, {}, cutLists));
    for (std::size_t i = 0; i < variants.size(); ++i) {
        EXPECT_EQ(test::readFile(fs::path(cutLists[i]).replace_extension(".edl")),
                  test::readFile(test::dataFile(std::get<2>(variants[i]) + ".edl.expected")))
            << std::get<0>(variants[i]);
    }
}

// Two real DVB-T captures: the head of a whole multiplex whose programs carry
// MPEG audio only, and one whose PAT names 20 programs of which two PMTs come.
TEST(EndToEnd, RealBroadcastCapturesConvertOrSayWhyNot) {
    const test::TempDir folder;
    for (const char* base : {"dvbt-it-rai-mux-head", "dvbt-it-mediaset-psi-only"}) {
        test::copyDataFile(std::string(base) + ".txt", folder / (std::string(base) + ".txt"));
        test::copyDataFile(std::string(base) + ".ts", folder / (std::string(base) + ".ts"));
    }
    const fs::path rai = folder / "dvbt-it-rai-mux-head.txt";
    const fs::path mediaset = folder / "dvbt-it-mediaset-psi-only.txt";
    const ProgramRun run = runProgram(folder.path(), {rai.string(), mediaset.string()});
    EXPECT_EQ(run.out, summary(false, false, {}, {rai, mediaset}) +
                           unable(mediaset, "the frame rate could not be determined"));
    EXPECT_EQ(test::readFile(folder / "dvbt-it-rai-mux-head.edl"),
              test::readFile(test::dataFile("dvbt-it-rai-mux-head.edl.expected")));
}

// Cut lists written for the shared recordings: an interlaced H.264 recording
// counted at its field rate, a four-hour list at 29.97 frames per second with
// its cuts out of order, and a list whose video is missing.
class CutListHeaders : public ::testing::Test {
protected:
    test::TempDir folder;
    fs::path fields = folder / "fields.txt";
    fs::path fourHours = folder / "four-hours.txt";
    fs::path alone = folder / "alone.txt";

    void SetUp() override {
        test::writeFile(fields, "FILE PROCESSING COMPLETE  95000 FRAMES AT  5000\r\n-----\r\n0\t1500\r\n90000\t95000\r\n");
        test::copyDataFile("ts-25i-1920x1080-h264-ac3.ts", folder / "fields.ts");
        test::writeFile(fourHours, "FILE PROCESSING COMPLETE  431600 FRAMES AT  2997\n-----\n431569 431599\n0 1798\n"
                                   "1700 2000\n359640 359700\n5000 4000\n3000 3000\n10 5\n");
        test::copyDataFile("ts-2997-720x480-ac3.ts", folder / "four-hours.ts");
        test::writeFile(alone, "FILE PROCESSING COMPLETE  3000 FRAMES AT  2500\n1500 3000\n");
    }

    ProgramRun convert(std::vector<std::string> arguments = {}) {
        for (const fs::path& cutList : {fields, fourHours, alone}) arguments.push_back(cutList.string());
        return runProgram(folder.path(), arguments);
    }
};

// 1500 and 95000 at 50 are 30 and 1900 s; the TS video runs at 29.97, which
// the header's 30000/1001 agrees with: 2000 / 29.97 = 66.7334 (66.7333 at
// 30000/1001), 3000 / 29.97 = 100.1001, 359700 / 29.97 = 12002.002,
// 431569 / 29.97 = 14400.0334 and 431599 / 29.97 = 14401.0344.
TEST_F(CutListHeaders, DecideTheRateWhereTheVideoDisagreesOrIsMissing) {
    const ProgramRun run = convert();
    EXPECT_EQ(run.out, summary(false, false, {}, {fields, fourHours, alone}) +
                           note(fields, "was counted at 50 frames per second, but its video runs at 25; the cut "
                                        "list's rate is used.") +
                           note(fourHours, "holds 2 cuts that end before they start; they are left out.") +
                           note(alone, "was counted at 25 frames per second, but no accompaning video file could "
                                       "be found; the cut list's rate is used."));
    EXPECT_EQ(test::readFile(folder / "fields.edl"), "0\t30\t0\r\n1800\t1900\t0\r\n");
    EXPECT_EQ(test::readFile(folder / "four-hours.edl"),
              "0\t66.7334\t0\r\n100.1\t100.1\t0\r\n12000\t12002\t0\r\n14400.03\t14401.03\t0\r\n");
    EXPECT_EQ(test::readFile(folder / "alone.edl"), "60\t120\t0\r\n");
}

// MPlayer, which reads EDL files, passes over a line that starts before the
// line above it ends ("Invalid EDL line") and says how many it read.
std::string mplayerOnEdl(const fs::path& video, const fs::path& edl) {
    const test::TempDir home;
    const std::string command = "HOME=" + quoted(home.path().string()) +
                                " mplayer -nolirc -noconsolecontrols -vo null -ao null -frames 1 -edl " +
                                quoted(edl.string()) + " " + quoted(video.string()) + " < /dev/null 2>&1";
    return test::commandOutput(command);
}

// A cut of one frame starts and ends at one time, which MPlayer passes over.
TEST_F(CutListHeaders, MPlayerAcceptsEveryLineButACutOfOneFrame) {
    if (std::system("command -v mplayer > /dev/null") != 0) GTEST_SKIP() << "mplayer is not installed";
    test::copyDataFile("ps-25-720x576-mp2.txt", folder / "unordered.txt");  // a cut out of order
    test::copyDataFile("ps-25-720x576-mp2.mpg", folder / "unordered.mpg");
    convert({(folder / "unordered.txt").string()});
    for (const auto& [base, video, lines, invalid] : std::vector<std::tuple<std::string, std::string, int, std::string>>{
             {"unordered", "unordered.mpg", 6, ""},
             {"four-hours", "four-hours.ts", 3, "Invalid EDL line: 100.1\t100.1\t0\r\n"},
             {"fields", "fields.ts", 2, ""}}) {
        const std::string output = mplayerOnEdl(folder / video, folder / (base + ".edl"));
        const auto invalidAt = output.find("Invalid EDL line");
        EXPECT_EQ(invalidAt == std::string::npos ? "" : output.substr(invalidAt, output.find('\n', invalidAt) + 1 - invalidAt),
                  invalid) << output;
        EXPECT_NE(output.find("Read " + std::to_string(lines) + " EDL actions."), std::string::npos) << output;
    }
}

class Batch : public ::testing::Test {
protected:
    test::TempDir folder;
    fs::path good = folder / "good.txt";
    fs::path noVideo = folder / "novideo.txt";
    fs::path videoIsDirectory = folder / "dir.txt";
    fs::path notAVideo = folder / "text.txt";

    void SetUp() override {
        test::copyDataFile("ps-25-720x576-ac3.txt", good);
        test::copyDataFile("ps-25-720x576-ac3.mpg", folder / "good.mpg");
        test::writeFile(noVideo, "1 2\n");
        test::writeFile(videoIsDirectory, "1 2\n");
        fs::create_directory(folder / "dir.mpg");
        test::writeFile(notAVideo, "1 2\n");
        test::copyDataFile("neg-text.mpg", folder / "text.mpg");
    }
};

TEST_F(Batch, FailuresAreReportedInOrderAndTheBatchGoesOn) {
    const ProgramRun run = runProgram(folder.path(), {noVideo.string(), videoIsDirectory.string(), notAVideo.string(),
                                               (folder / "missing").string(), good.string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "Input does not exist: " + (folder / "missing").generic_string() + "\n" +
                           summary(false, false, {}, {noVideo, videoIsDirectory, notAVideo, good}) +
                           unable(noVideo, "no accompaning video file could be found") +
                           unable(videoIsDirectory, "the video file could not be read") +
                           unable(notAVideo, "the frame rate could not be determined"));
    EXPECT_EQ(test::readFile(folder / "good.edl"), test::readFile(test::dataFile("ps-25-720x576-ac3.edl.expected")));
}

TEST_F(Batch, NoInputSearchesTheWorkingDirectory) {
    const ProgramRun run = runProgram(folder.path(), {});
    EXPECT_EQ(run.exitCode, 0);
    const std::string intro = "No inputs were specified. Using current working directory.\n";
    EXPECT_EQ(run.out.substr(0, intro.size()), intro);
    EXPECT_NE(run.out.find("Input Dir: " + fs::canonical(folder.path()).generic_string() + "\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder / "good.edl"));
}

TEST_F(Batch, UnknownOptionConvertsNothing) {
    const ProgramRun run = runProgram(folder.path(), {"-x", good.string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    const std::string firstLine = run.out.substr(0, run.out.find('\n'));
    EXPECT_NE(firstLine.find("-x"), std::string::npos);
    const std::string usage = "Usage: cut2edl [options] [file or directory]...\nAllowed options:\n";
    EXPECT_EQ(run.out.substr(firstLine.size() + 1, usage.size()), usage);
    const std::string tail = summary(true, false, {}, {});
    EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
    EXPECT_FALSE(fs::exists(folder / "good.edl"));
}

// 0 8588, 23590 31088, 43510 51156, 59856 61196 at 25 frames per second.
std::string goodEdl(char actionCode) {
    std::string edl;
    for (const char* span : {"0\t343.52", "943.6\t1243.52", "1740.4\t2046.24", "2394.24\t2447.84"}) {
        edl += span + std::string("\t") + actionCode + "\r\n";
    }
    return edl;
}

TEST_F(Batch, ActionCodeIsWrittenInEveryLine) {
    EXPECT_EQ(goodEdl('0'), test::readFile(test::dataFile("ps-25-720x576-ac3.edl.expected")));
    for (const char code : {'0', '1', '2', '3'}) {
        const ProgramRun run = runProgram(folder.path(), {"--action", std::string(1, code), good.string()});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, summary(false, false, {}, {good}));
        EXPECT_EQ(test::readFile(folder / "good.edl"), goodEdl(code));
    }
}

// The usage block as the help switch prints it: all before the options summary.
std::string usageText(const fs::path& workDir, const fs::path& cutList) {
    const std::string help = runProgram(workDir, {"--help", cutList.string()}).out;
    return help.substr(0, help.find("\nOptions summary\n"));
}

TEST_F(Batch, BadActionConvertsNothing) {
    const std::string usage = usageText(folder.path(), noVideo);
    ASSERT_EQ(usage.rfind("Usage: cut2edl [options] [file or directory]...\nAllowed options:\n", 0), 0U) << usage;
    for (const auto& [arguments, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--action", "4", good.string()}, "the argument ('4') for option '--action' is invalid"},
             {{"--action", "x", good.string()}, "the argument ('x') for option '--action' is invalid"},
             {{good.string(), "--action"}, "the required argument for option '--action' is missing"},
             {{"--rate-from", "frames", good.string()}, "the argument ('frames') for option '--rate-from' is invalid"},
         }) {
        const ProgramRun run = runProgram(folder.path(), arguments);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, message + "\n" + usage + summary(true, false, {}, {}));
        EXPECT_FALSE(fs::exists(folder / "good.edl"));
    }
}

TEST_F(Batch, VersionPrintsItsLineAndDoesNothingElse) {
    const std::string line = std::string("cut2edl ") + CUT2EDL_VERSION + "\n";
    EXPECT_TRUE(boost::regex_match(line, boost::regex("cut2edl [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << line;
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"--version"}, {"-s", good.string(), "--version"}}) {
        const ProgramRun run = runProgram(folder.path(), arguments);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, line);
        EXPECT_FALSE(fs::exists(folder / "good.edl"));
    }
}

TEST_F(Batch, ShortHelpFormsAreTheLongOne) {
    const std::string help = runProgram(folder.path(), {"--help", noVideo.string()}).out;
    EXPECT_EQ(runProgram(folder.path(), {"-h", noVideo.string()}).out, help);
    EXPECT_EQ(runProgram(folder.path(), {"-?", noVideo.string()}).out, help);
    EXPECT_NE(help.find("\nHelp:    true\n"), std::string::npos);
}

TEST_F(Batch, SubdirectorySwitchFindsNestedCutListsOnceDespiteALoop) {
    const fs::path nested = folder / "nested";
    fs::create_directory(nested);
    fs::rename(good, nested / "good.txt");
    fs::rename(folder / "good.mpg", nested / "good.mpg");
    fs::create_directory_symlink(folder.path(), nested / "loop");
    const ProgramRun run = runProgram(folder.path(), {"-s", nested.string()});
    EXPECT_EQ(run.exitCode, 0);
    const std::string head = "\nOptions summary\n---------------\nHelp:    false\nSubdirs: true\nInput Dir: " +
                             nested.generic_string() + "\n";
    EXPECT_EQ(run.out.substr(0, head.size()), head);
    for (const fs::path& cutList : {noVideo, videoIsDirectory, notAVideo}) {
        const fs::path throughLoop = nested / "loop" / cutList.filename();
        EXPECT_NE(run.out.find("Input File: " + throughLoop.generic_string() + "\n"), std::string::npos);
    }
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 7 + 4 + 3);
    EXPECT_TRUE(fs::exists(nested / "good.edl"));
}

}  // namespace
}  // namespace cut2edl
