#include "app/Options.h"

#include <algorithm>
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
             {{"-h", cutList}, true, false},
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
    for (const char* text : {"-? [ --help ]", "produce this message (-h does the same)", "-s [ --subdirectories ]",
                             "scan subdirectories", "--action N (=0)", "0 cut, 1 mute,",
                             "2 scene marker, 3 commercial break", "--no-pause", "--version"}) {
        EXPECT_NE(parsed.output.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(parsed.output.find("Hidden"), std::string::npos);
}

// The entries of the help text: an entry begins with a line "  -name ...", the
// lines after it (indented further) continue its description.
std::vector<std::vector<std::string>> helpEntries(const std::string& help) {
    std::vector<std::vector<std::string>> entries;
    std::istringstream lines(help.substr(help.find("Allowed options:\n") + 17));
    for (std::string line; std::getline(lines, line) && !line.empty();) {
        if (line.rfind("  -", 0) == 0) entries.emplace_back();
        if (!entries.empty()) entries.back().push_back(line);
    }
    return entries;
}

// Every "-x" and "--name" of an entry's first line.
std::vector<std::string> namesOf(const std::string& firstLine) {
    std::vector<std::string> names;
    std::istringstream words(firstLine);
    for (std::string word; words >> word;) {
        if (word.size() > 1 && word[0] == '-') names.push_back(word);
    }
    return names;
}

TEST_F(OptionParsing, EveryHelpEntryEndsWithAnExampleOfItsOwnUse) {
    const auto entries = helpEntries(parse({"--help", cutList}).output);
    ASSERT_GE(entries.size(), 5U);
    for (const auto& entry : entries) {
        ASSERT_GE(entry.size(), 2U) << entry.front();
        const std::string example = entry.back().substr(entry.back().find_first_not_of(' '));
        EXPECT_EQ(example.rfind("e.g. cut2edl ", 0), 0U) << example;
        const auto names = namesOf(entry.front());
        const auto used = [&](const std::string& name) {
            return (example + " ").find(" " + name + " ") != std::string::npos;
        };
        EXPECT_TRUE(std::any_of(names.begin(), names.end(), used)) << entry.front() << " / " << example;
    }
}

// The option as roff writes it, every hyphen escaped: \-\-no\-pause.
std::string inRoff(const std::string& name) {
    std::string escaped;
    for (const char c : name) escaped += c == '-' ? std::string("\\-") : std::string(1, c);
    return escaped;
}

TEST_F(OptionParsing, EveryOptionIsInTheManualPageAndTheReadme) {
    const std::string manual = test::readFile(fs::path(CUT2EDL_SOURCE_DIR) / "cut2edl.1");
    const std::string readme = test::readFile(fs::path(CUT2EDL_SOURCE_DIR) / "README.md");
    const auto start = manual.find("\n.SH OPTIONS\n");
    ASSERT_NE(start, std::string::npos);
    const std::string optionsSection = manual.substr(start, manual.find("\n.SH ", start + 1) - start);
    for (const auto& entry : helpEntries(parse({"--help", cutList}).output)) {
        for (const std::string& name : namesOf(entry.front())) {
            EXPECT_NE(optionsSection.find("\\fB" + inRoff(name) + "\\fR"), std::string::npos) << name;
            EXPECT_NE(readme.find("`" + name), std::string::npos) << name;
        }
    }
}

TEST_F(OptionParsing, ActionAndNoPauseSwitches) {
    EXPECT_EQ(parse({cutList}).options->action, EdlAction::Cut);
    const EdlAction byCode[] = {EdlAction::Cut, EdlAction::Mute, EdlAction::SceneMarker, EdlAction::CommercialBreak};
    for (int code = 0; code < 4; ++code) {
        const Parsed parsed = parse({"--action", std::to_string(code), cutList});
        EXPECT_TRUE(parsed.result);
        EXPECT_EQ(parsed.options->action, byCode[code]) << code;
        EXPECT_FALSE(parsed.options->help);
    }
    EXPECT_EQ(parse({"--action=2", cutList}).options->action, EdlAction::SceneMarker);

    const Parsed noPause = parse({cutList, "--no-pause"});
    EXPECT_TRUE(noPause.options->noPause);
    EXPECT_FALSE(parse({cutList}).options->noPause);
    EXPECT_EQ(noPause.options->inputFiles, std::vector<fs::path>{cutList});
}

TEST_F(OptionParsing, VersionSilencesTheUsageAndInputDiscovery) {
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"--version"}, {"--version", "--help", cutList}}) {
        const Parsed parsed = parse(arguments);
        EXPECT_TRUE(parsed.result);
        EXPECT_TRUE(parsed.options->version);
        EXPECT_EQ(parsed.output, "");
        EXPECT_TRUE(parsed.options->inputFiles.empty());
        EXPECT_TRUE(parsed.options->inputDirs.empty());
    }
}

TEST_F(OptionParsing, BadActionIsACommandLineError) {
    for (const auto& [arguments, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--action", "4", cutList}, "the argument ('4') for option '--action' is invalid"},
             {{"--action", "x", cutList}, "the argument ('x') for option '--action' is invalid"},
             {{"--action", "-1", cutList}, "the argument ('-1') for option '--action' is invalid"},
             {{"--action=3.0", cutList}, "the argument ('3.0') for option '--action' is invalid"},
             {{cutList, "--action"}, "the required argument for option '--action' is missing"},
             {{"--action", "1", "--action", "1", cutList}, "option '--action' cannot be specified more than once"},
         }) {
        const Parsed parsed = parse(arguments);
        EXPECT_FALSE(parsed.result);
        EXPECT_TRUE(parsed.options->help);
        EXPECT_EQ(parsed.options->action, EdlAction::Cut);
        EXPECT_TRUE(parsed.options->inputFiles.empty());
        EXPECT_EQ(parsed.output.substr(0, message.size() + 1 + usage.size()), message + "\n" + usage);
    }
}

// A bad value is a command-line error like a bad action (end to end).
TEST_F(OptionParsing, RateFromNamesOneOfThreeSources) {
    EXPECT_EQ(parse({cutList}).options->rateFrom, RateSource::Auto);
    EXPECT_EQ(parse({"--rate-from", "video", cutList}).options->rateFrom, RateSource::Video);
    EXPECT_EQ(parse({"--rate-from=list", cutList}).options->rateFrom, RateSource::List);
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
