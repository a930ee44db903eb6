#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "convert/EdlAction.h"
#include "convert/OutputFormat.h"
#include "convert/RateSource.h"

namespace cut2edl {

// The parsed command line and the inputs resolved from it; one per run.
struct Options {
    bool help = false;
    bool subdirs = false;
    std::vector<boost::filesystem::path> inputDirs;
    std::vector<boost::filesystem::path> inputFiles;  // the batch, in the order found
    EdlAction action = EdlAction::Cut;                // written in every EDL line
    RateSource rateFrom = RateSource::Auto;           // where the divisor of the frame numbers comes from
    std::vector<OutputFormat> formats = {OutputFormat::Edl};  // the files each conversion writes
    bool noPause = false;                             // no wait for a key press at the end
    bool version = false;                             // print the version and do nothing else
    bool inspect = false;                             // report on each video instead of converting
    bool quiet = false;                               // no options summary, no word about the working directory
    bool strict = false;                              // the exit status tells success from failure
    bool update = false;                              // pass over cut lists whose files are up to date
    std::vector<boost::filesystem::path> videoDirs = {};  // where videos are looked for after the cut list's folder
    std::size_t inputProblems = 0;                    // inputs that input discovery reported
};

// Fills the record and hands every input (or the working directory when none is
// named) to input discovery. A command-line error is printed, sets help and
// returns false; whenever help is set, the usage follows. A version request
// silences both the usage and input discovery. --strict is seen before the
// command line is parsed, so that even a command line that fails asks for it.
bool parseOptions(int argc, const char* const* argv, const std::shared_ptr<Options>& options);

// What the process exits with: 0, or with --strict 2 after a command-line
// error and 1 when any input or cut list failed.
int exitStatus(const Options& options, bool parsed, std::size_t failures);

// Writes the options summary to standard output and returns that stream.
std::ostream& printOptionsSummary(const Options& options);

}  // namespace cut2edl
