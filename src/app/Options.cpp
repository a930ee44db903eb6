#include "app/Options.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <optional>
#include <string_view>
#include <string>
#include <utility>
#include <vector>

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/program_options.hpp>

#include "app/InputDiscovery.h"

namespace cut2edl {

namespace po = boost::program_options;

// The option library's hook for values of type EdlAction: its own integer
// conversion, so that "x" fails like any bad number, then the range check,
// so that 4 fails with the same message.
static void validate(boost::any& value, const std::vector<std::string>& tokens, EdlAction*, int) {
    po::validate(value, tokens, static_cast<int*>(nullptr), 0);
    const int code = boost::any_cast<int>(value);
    if (!isEdlActionCode(code)) throw po::invalid_option_value(po::validators::get_single_string(tokens));
    value = static_cast<EdlAction>(code);
}

// The hook for values of type RateSource: one of its three names.
static void validate(boost::any& value, const std::vector<std::string>& tokens, RateSource*, int) {
    po::validators::check_first_occurrence(value);
    const std::string& name = po::validators::get_single_string(tokens);
    const std::optional<RateSource> source = rateSourceNamed(name);
    if (!source) throw po::invalid_option_value(name);
    value = *source;
}

// The formats that one --format value names, comma-separated.
struct FormatSelection {
    std::vector<OutputFormat> formats;
};

// The hook for --format values: each comma-separated name must be a format's;
// a bad one fails with the whole value in the message.
static void validate(boost::any& value, const std::vector<std::string>& tokens, FormatSelection*, int) {
    const std::string& list = po::validators::get_single_string(tokens);
    std::vector<std::string> names;
    boost::split(names, list, boost::is_any_of(","));
    FormatSelection selection;
    for (const std::string& name : names) {
        const std::optional<OutputFormat> format = outputFormatNamed(name);
        if (!format) throw po::invalid_option_value(list);
        selection.formats.push_back(*format);
    }
    value = selection;
}

namespace {

constexpr unsigned lineLength = 80;

// The formats asked for, each once, in the order first named; the EDL alone
// when none is.
std::vector<OutputFormat> formatsAskedFor(const po::variables_map& values) {
    if (!values.count("format")) return {OutputFormat::Edl};
    std::vector<OutputFormat> formats;
    for (const FormatSelection& selection : values["format"].as<std::vector<FormatSelection>>()) {
        for (const OutputFormat format : selection.formats) {
            if (std::find(formats.begin(), formats.end(), format) == formats.end()) formats.push_back(format);
        }
    }
    return formats;
}

// One entry per option: what it does, a line end, and one example of its use.
po::options_description visibleOptions() {
    po::options_description allowed("Allowed options", lineLength);
    allowed.add_options()
        ("help,?", "produce this message (-h does the same)\n"
                   "e.g. cut2edl --help")
        ("subdirectories,s", "scan subdirectories\n"
                             "e.g. cut2edl -s recordings")
        ("action", po::value<EdlAction>()->value_name("N")->default_value(EdlAction::Cut, "0"),
         "action code of every EDL line: 0 cut, 1 mute,\n"
         "2 scene marker, 3 commercial break\n"
         "e.g. cut2edl --action 3 show.txt")
        ("rate-from", po::value<RateSource>()->value_name("SOURCE")->default_value(RateSource::Auto, "auto"),
         "where the frame rate comes from: auto (the cut\n"
         "list's header where the video differs or gives\n"
         "none), video (the video only), list (the header\n"
         "only, no video needed)\n"
         "e.g. cut2edl --rate-from list show.txt")
        ("format", po::value<std::vector<FormatSelection>>()->value_name("LIST")->composing(),
         "the files written beside each cut list, comma-\n"
         "separated, the option repeatable: edl (the\n"
         "default), ffmetadata (chapters for ffmpeg),\n"
         "mkvchapters (Matroska XML chapters), json (for\n"
         "scripts)\n"
         "e.g. cut2edl --format edl,mkvchapters show.txt")
        ("inspect,i", "print a report of each video instead of\n"
                      "converting: its container, tables, programs and\n"
                      "frame rate, and of a cut list's header and the\n"
                      "rate a conversion would use\n"
                      "e.g. cut2edl -i show.txt")
        ("quiet,q", "print no options summary; the messages of\n"
                    "inputs and cut lists that fail, and the notes,\n"
                    "still print\n"
                    "e.g. cut2edl -q --no-pause recordings")
        ("update,u", "pass over a cut list whose files (every format\n"
                     "asked for) exist and are newer than it and its\n"
                     "video, without opening the video\n"
                     "e.g. cut2edl -u -s recordings")
        ("video-dir", po::value<std::vector<std::string>>()->value_name("DIR")->composing(),
         "look for the videos in DIR too, after the cut\n"
         "list's own folder (repeatable, in order)\n"
         "e.g. cut2edl --video-dir /srv/tv lists")
        ("strict", "exit with 1 when an input does not exist or a\n"
                   "cut list is not converted, with 2 after a\n"
                   "command-line error (0 otherwise, as without it)\n"
                   "e.g. cut2edl --strict -q --no-pause show.txt")
        ("no-pause", "end without waiting for a key press\n"
                     "e.g. cut2edl --no-pause recordings")
        ("version", "print the version and do nothing else\n"
                    "e.g. cut2edl --version");
    return allowed;
}

// The library allows one short name per option; "-h" is a second one for help.
// "--s" and "--v" keep naming the options they named before --strict and
// --video-dir came, rather than becoming ambiguous.
std::pair<std::string, std::string> aliases(const std::string& token) {
    if (token == "-h") return {"help", std::string()};
    if (token == "--s") return {"subdirectories", std::string()};
    if (token == "--v") return {"version", std::string()};
    return {};
}

bool asksForStrict(int argc, const char* const* argv) {
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
        if (std::string_view(argv[i]) == "--strict") return true;
    }
    return false;
}

po::options_description hiddenOptions() {
    po::options_description hidden("Hidden options", lineLength);
    hidden.add_options()("input", po::value<std::vector<std::string>>(), "input");
    return hidden;
}

void parseCommandLine(int argc, const char* const* argv, const po::options_description& allowed,
                      Options& options) {
    po::options_description all(lineLength);
    all.add(allowed).add(hiddenOptions());
    po::positional_options_description positional;
    positional.add("input", -1);

    po::variables_map values;
    po::store(po::command_line_parser(argc, argv).options(all).positional(positional).extra_parser(aliases).run(),
              values);
    po::notify(values);

    if (values.count("help")) options.help = true;
    if (values.count("subdirectories")) options.subdirs = true;
    options.action = values["action"].as<EdlAction>();
    options.rateFrom = values["rate-from"].as<RateSource>();
    options.formats = formatsAskedFor(values);
    if (values.count("no-pause")) options.noPause = true;
    if (values.count("inspect")) options.inspect = true;
    if (values.count("quiet")) options.quiet = true;
    if (values.count("update")) options.update = true;
    if (values.count("video-dir")) {
        for (const std::string& folder : values["video-dir"].as<std::vector<std::string>>()) {
            options.videoDirs.emplace_back(folder);
        }
    }
    if (values.count("version")) {
        options.version = true;
        return;  // no input is discovered, not even the working directory
    }
    if (values.count("input")) {
        for (const std::string& input : values["input"].as<std::vector<std::string>>()) addInput(options, input);
    } else {
        if (!options.quiet) std::cout << "No inputs were specified. Using current working directory.\n";
        addInput(options, boost::filesystem::initial_path().string());
    }
}

const char* trueOrFalse(bool flag) { return flag ? "true" : "false"; }

}  // namespace

bool parseOptions(int argc, const char* const* argv, const std::shared_ptr<Options>& options) {
    const po::options_description allowed = visibleOptions();
    options->strict = asksForStrict(argc, argv);
    bool parsed = true;
    try {
        parseCommandLine(argc, argv, allowed, *options);
    } catch (const std::exception& error) {
        std::cout << error.what() << "\n";
        options->help = true;
        parsed = false;
    }
    if (options->help && !options->version) std::cout << "Usage: cut2edl [options] [file or directory]...\n" << allowed;
    return parsed;
}

int exitStatus(const Options& options, bool parsed, std::size_t failures) {
    if (!options.strict) return 0;
    if (!parsed) return 2;
    return options.inputProblems + failures > 0 ? 1 : 0;
}

std::ostream& printOptionsSummary(const Options& options) {
    std::cout << "\nOptions summary\n---------------\n"
              << "Help:    " << trueOrFalse(options.help) << "\n"
              << "Subdirs: " << trueOrFalse(options.subdirs) << "\n";
    for (const auto& directory : options.inputDirs) std::cout << "Input Dir: " << directory.generic_string() << "\n";
    for (const auto& file : options.inputFiles) std::cout << "Input File: " << file.generic_string() << "\n";
    return std::cout;
}

}  // namespace cut2edl
