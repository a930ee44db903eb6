#pragma once

#include <memory>
#include <ostream>
#include <vector>

#include <boost/filesystem/path.hpp>

namespace cut2edl {

// The parsed command line and the inputs resolved from it; one per run.
struct Options {
    bool help = false;
    bool subdirs = false;
    std::vector<boost::filesystem::path> inputDirs;
    std::vector<boost::filesystem::path> inputFiles;  // the batch, in the order found
};

// Fills the record and hands every input (or the working directory when none is
// named) to input discovery. A command-line error is printed, sets help and
// returns false; whenever help is set, the usage follows.
bool parseOptions(int argc, const char* const* argv, const std::shared_ptr<Options>& options);

// Writes the options summary to standard output and returns that stream.
std::ostream& printOptionsSummary(const Options& options);

}  // namespace cut2edl
