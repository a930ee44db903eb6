#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <boost/algorithm/string/replace.hpp>

#include "app/program_run_support.h"

namespace cut2edl {
namespace {

class ForScripts : public ::testing::Test {
protected:
    void SetUp() override {
        test::copyDataFile("ts-25-720x576-ac3.ts", folder / "good.ts");
        test::writeFile(folder / "good.txt", "0 10\n");
        test::writeFile(folder / "lonely.txt", "0 10\n");  // no video beside it
    }

    ProgramRun run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "--no-pause");
        return runProgram(folder.path(), arguments);
    }

    test::TempDir folder;
};

TEST_F(ForScripts, QuietPrintsOnlyWhatFails) {
    const ProgramRun good = run({"-q", "good.txt"});
    EXPECT_EQ(good.out, "");
    EXPECT_EQ(test::readFile(folder / "good.edl"), "0\t0.4\t0\r\n");
    // No input named: the working directory is searched without a word about it.
    fs::remove(folder / "lonely.txt");
    EXPECT_EQ(run({"--quiet"}).out, "");
    test::writeFile(folder / "lonely.txt", "0 10\n");
    EXPECT_EQ(run({"-q", "lonely.txt", "gone.txt"}).out,
              "Input does not exist: gone.txt\n" + unable("lonely.txt", "no accompaning video file could be found"));
}

TEST_F(ForScripts, StrictTellsSuccessFromFailureAndWithoutItEveryRunEndsWith0) {
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"good.txt"}, 0},
        {{"good.txt", "gone.txt"}, 1},                 // an input that does not exist
        {{"good.txt", "lonely.txt"}, 1},               // a cut list not converted
        {{"-i", "lonely.txt"}, 1},                     // nor inspected
        {{"-i", "good.txt"}, 0},
        {{"good.txt", "--bogus"}, 2},                  // a command line that is wrong
        {{"--action", "7", "good.txt"}, 2},
    };
    for (const auto& [arguments, status] : cases) {
        std::vector<std::string> strict = arguments;
        strict.push_back("--strict");
        EXPECT_EQ(run(strict).exitCode, status) << arguments.front();
        EXPECT_EQ(run(arguments).exitCode, 0) << arguments.front();
    }
    EXPECT_EQ(run({"--strict", "--version"}).exitCode, 0);
}

TEST_F(ForScripts, TheShortestPrefixesKeepTheirMeaning) {
    fs::create_directory(folder / "sub");
    test::copyDataFile("ts-25-720x576-ac3.ts", folder / "sub" / "deep.ts");
    test::writeFile(folder / "sub" / "deep.txt", "0 10\n");
    EXPECT_EQ(run({"-q", "--s", "--strict", "."}).exitCode, 1);  // lonely.txt fails, sub/deep.txt is found
    EXPECT_TRUE(fs::exists(folder / "sub" / "deep.edl"));
    EXPECT_EQ(run({"--v"}).out, "cut2edl " CUT2EDL_VERSION "\n");
}

void setTime(const fs::path& path, int seconds) {
    static const auto base = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(path.string(), base + std::chrono::seconds(seconds));
}

TEST_F(ForScripts, UpdatePassesOverWhatIsNewerThanItsCutListAndVideo) {
    const fs::path edl = folder / "good.edl";
    const auto convertedAgain = [&](int cutList, int video, int edlTime, std::vector<std::string> more = {}) {
        setTime(folder / "good.txt", cutList);
        setTime(folder / "good.ts", video);
        test::writeFile(edl, "old");
        setTime(edl, edlTime);
        more.insert(more.end(), {"-u", "--strict", "good.txt"});
        EXPECT_EQ(run(more).exitCode, 0);
        return test::readFile(edl) != "old";
    };
    EXPECT_FALSE(convertedAgain(10, 20, 30));
    EXPECT_TRUE(convertedAgain(40, 20, 30));  // the cut list changed since
    EXPECT_TRUE(convertedAgain(10, 40, 30));  // the video did
    EXPECT_TRUE(convertedAgain(10, 20, 20));  // written in the same moment is not newer
    EXPECT_TRUE(convertedAgain(10, 20, 30, {"--format", "edl,json"}));  // a format not yet written
    EXPECT_FALSE(convertedAgain(10, 20, 30, {"--format", "edl,json"}));
}

TEST_F(ForScripts, VideoDirsAreLookedInAfterTheCutListsOwnFolder) {
    for (const char* name : {"lists", "first", "second"}) fs::create_directory(folder / name);
    test::writeFile(folder / "lists" / "show.txt", "0 30\n");
    test::copyDataFile("ts-2997-720x480-ac3.ts", folder / "second" / "show.ts");
    const std::vector<std::string> dirs = {"--video-dir", "first", "--video-dir=second", "lists/show.txt"};
    run(dirs);
    EXPECT_EQ(test::readFile(folder / "lists" / "show.edl"), "0\t1.001\t0\r\n");  // 30 / 29.97
    test::copyDataFile("ts-25-720x576-ac3.ts", folder / "first" / "show.mpg");
    run(dirs);
    EXPECT_EQ(test::readFile(folder / "lists" / "show.edl"), "0\t1.2\t0\r\n");
    test::copyDataFile("ps-50-720x576-mp2.mpg", folder / "lists" / "show.mpeg");
    run(dirs);
    EXPECT_EQ(test::readFile(folder / "lists" / "show.edl"), "0\t0.6\t0\r\n");
    EXPECT_FALSE(fs::exists(folder / "first" / "show.edl"));
}


TEST_F(ForScripts, AProgressLineStandsOnATerminalOnly) {
    if (std::system("command -v script > /dev/null") != 0) GTEST_SKIP() << "script is not installed";
    // script runs the program on a pseudo-terminal and copies what it shows.
    const test::TempDir captures;
    const std::string command = "cd " + quoted(folder.path().string()) + " && script -qec " +
                                quoted(quoted(CUT2EDL_EXE) + " --no-pause lonely.txt good.txt") + " /dev/null > " +
                                quoted((captures / "shown").string()) + " 2>&1 < /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string shown = test::readFile(captures / "shown");
    // The failure's message first clears the line (23 characters) that stood for its cut list.
    const std::string cleared = "\rcut2edl: 1/2 lonely.txt\r" + std::string(23, ' ') + "\rUnable to convert";
    EXPECT_NE(shown.find(cleared), std::string::npos) << shown;
    EXPECT_EQ(run({"lonely.txt", "good.txt"}).err, "");
}

// The manual's hook script, as a user would copy it from the page.
std::string hookScript() {
    const std::string manual = test::readFile(fs::path(CUT2EDL_SOURCE_DIR) / "cut2edl.1");
    const auto start = manual.find("#!/bin/sh\n# cut2edl\\-hook");
    const std::string roff = manual.substr(start, manual.find("\n.EE", start) - start + 1);
    return boost::replace_all_copy(roff, "\\-", "-");
}

TEST_F(ForScripts, TheManualsHookScriptWorksAsWritten) {
    const std::string script = hookScript();
    ASSERT_NE(script.find("exec cut2edl --strict -q --no-pause --format edl,mkvchapters"), std::string::npos) << script;
    test::writeFile(folder / "hook", script);
    const std::string onPath = "PATH=" + quoted(fs::path(CUT2EDL_EXE).parent_path().string()) + ":\"$PATH\" ";
    const auto hook = [&](const std::string& recording) {
        const std::string command = "cd " + quoted(folder.path().string()) + " && " + onPath + "sh hook " +
                                    quoted(recording) + " > /dev/null < /dev/null";
        return WEXITSTATUS(std::system(command.c_str()));
    };
    EXPECT_EQ(hook("good.ts"), 0);
    EXPECT_TRUE(fs::exists(folder / "good.edl"));
    EXPECT_TRUE(fs::exists(folder / "good.chapters.xml"));
    EXPECT_EQ(hook("lonely.ts"), 1);  // its cut list has no video beside it
    EXPECT_EQ(hook("undetected.ts"), 0);
}
}  // namespace
}  // namespace cut2edl
