#include "app/Options.h"

#include <sstream>
#include <string>
#include <vector>

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include "convert/TestSupport.h"

namespace cut2edl {
namespace {

namespace fs = boost::filesystem;

const std::string usage = "Usage: cut2edl [options] [file or directory]...\nAllowed options:\n";

struct Parsed {
    std::shared_ptr<Options> options = std::make_shared<Options>();
    bool result = false;
    std::string output;
};

Parsed parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "cut2edl");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    Parsed parsed;
    const test::CoutCapture output;
    parsed.result = parseOptions(static_cast<int>(argv.size()), argv.data(), parsed.options);
    parsed.output = output.text();
    return parsed;
}

std::string summaryOf(const Options& options) {
    const test::CoutCapture output;
    printOptionsSummary(options) << "|";
    return output.text();
}

class OptionParsing : public ::testing::Test {
protected:
    test::TempDir folder;
    std::string cutList = (folder / "a.txt").string();
    void SetUp() override { test::writeFile(cutList, "1 2\n"); }
};

TEST_F(OptionParsing, SwitchesInShortAndLongForm) {
    for (const auto& [arguments, help, subdirs] : std::vector<std::tuple<std::vector<std::string>, bool, bool>>{
             {{cutList}, false, false},
             {{"-s", cutList}, false, true},
             {{cutList, "--subdirectories"}, false, true},
             {{"-?", cutList}, true, false},
             {{"--help", "-s", cutList}, true, true},
         }) {
        const Parsed parsed = parse(arguments);
        EXPECT_TRUE(parsed.result);
        EXPECT_EQ(parsed.options->help, help);
        EXPECT_EQ(parsed.options->subdirs, subdirs);
        EXPECT_EQ(parsed.options->inputFiles, std::vector<fs::path>{cutList});
        EXPECT_EQ(parsed.output.substr(0, usage.size()), help ? usage : "");
    }
}

TEST_F(OptionParsing, HelpPrintsTheUsageAndTheAllowedOptions) {
    const Parsed parsed = parse({"-?", cutList});
    EXPECT_EQ(parsed.output.rfind(usage, 0), 0U) << parsed.output;
    EXPECT_NE(parsed.output.find("-? [ --help ]"), std::string::npos);
    EXPECT_NE(parsed.output.find("produce this message"), std::string::npos);
    EXPECT_NE(parsed.output.find("-s [ --subdirectories ]"), std::string::npos);
    EXPECT_NE(parsed.output.find("scan subdirectories"), std::string::npos);
    EXPECT_EQ(parsed.output.find("Hidden"), std::string::npos);
}

TEST_F(OptionParsing, InputsKeepCommandLineOrderAndDuplicates) {
    const Parsed parsed = parse({cutList, "--input", cutList, folder.path().string()});
    EXPECT_EQ(parsed.options->inputFiles, (std::vector<fs::path>{cutList, cutList, cutList}));
    EXPECT_EQ(parsed.options->inputDirs, std::vector<fs::path>{folder.path()});
}

TEST_F(OptionParsing, CommandLineErrorAddsNoInputAndShowsTheUsage) {
    for (const auto& [arguments, named] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{cutList, "-x"}, "-x"},
             {{"-s", "-s", cutList}, "subdirectories"},
             {{"--input"}, "input"},
         }) {
        const Parsed parsed = parse(arguments);
        EXPECT_FALSE(parsed.result);
        EXPECT_TRUE(parsed.options->help);
        EXPECT_TRUE(parsed.options->inputFiles.empty());
        const std::string firstLine = parsed.output.substr(0, parsed.output.find('\n'));
        EXPECT_NE(firstLine.find(named), std::string::npos) << firstLine;
        EXPECT_EQ(parsed.output.substr(firstLine.size() + 1, usage.size()), usage);
    }
}

TEST(NoInputs, TheInitialWorkingDirectoryIsSearched) {
    const Parsed parsed = parse({});
    EXPECT_EQ(parsed.output.rfind("No inputs were specified. Using current working directory.\n", 0), 0U);
    EXPECT_EQ(parsed.options->inputDirs, std::vector<fs::path>{fs::initial_path()});
}

TEST(Summary, ListsFlagsDirectoriesAndFiles) {
    EXPECT_EQ(summaryOf(Options{}), "\nOptions summary\n---------------\nHelp:    false\nSubdirs: false\n|");
    const Options options{true, true, {"/rec", "/more"}, {"/rec/a.txt", "/rec/b.txt"}};
    EXPECT_EQ(summaryOf(options),
              "\nOptions summary\n---------------\nHelp:    true\nSubdirs: true\n"
              "Input Dir: /rec\nInput Dir: /more\nInput File: /rec/a.txt\nInput File: /rec/b.txt\n|");
}

}  // namespace
}  // namespace cut2edl
