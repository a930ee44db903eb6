#include "app/Options.h"

#include <exception>
#include <iostream>
#include <string>

#include <boost/filesystem/operations.hpp>
#include <boost/program_options.hpp>

#include "app/InputDiscovery.h"

namespace cut2edl {

namespace po = boost::program_options;

namespace {

constexpr unsigned lineLength = 80;

po::options_description visibleOptions() {
    po::options_description allowed("Allowed options", lineLength);
    allowed.add_options()
        ("help,?", "produce this message")
        ("subdirectories,s", "scan subdirectories");
    return allowed;
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
    po::store(po::command_line_parser(argc, argv).options(all).positional(positional).run(), values);
    po::notify(values);

    if (values.count("help")) options.help = true;
    if (values.count("subdirectories")) options.subdirs = true;
    if (values.count("input")) {
        for (const std::string& input : values["input"].as<std::vector<std::string>>()) addInput(options, input);
    } else {
        std::cout << "No inputs were specified. Using current working directory.\n";
        addInput(options, boost::filesystem::initial_path().string());
    }
}

const char* trueOrFalse(bool flag) { return flag ? "true" : "false"; }

}  // namespace

bool parseOptions(int argc, const char* const* argv, const std::shared_ptr<Options>& options) {
    const po::options_description allowed = visibleOptions();
    bool parsed = true;
    try {
        parseCommandLine(argc, argv, allowed, *options);
    } catch (const std::exception& error) {
        std::cout << error.what() << "\n";
        options->help = true;
        parsed = false;
    }
    if (options->help) std::cout << "Usage: cut2edl [options] [file or directory]...\n" << allowed;
    return parsed;
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
