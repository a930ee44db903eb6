#pragma once

#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "convert/EdlAction.h"
#include "convert/OutputFormat.h"
#include "convert/RateSource.h"

namespace cut2edl {

// The recording of the cut list: same name with ".mpg", ".mpeg", ".ts",
// ".dvr-ms", ".m2ts" or ".mts", the first that exists beside it, else in each
// of `videoDirs` in turn; an empty path when there is none.
boost::filesystem::path findCompanionVideo(const boost::filesystem::path& cutListPath,
                                           const std::vector<boost::filesystem::path>& videoDirs = {});

// A file named as a recording is: with one of the companion videos' extensions.
bool isVideoFile(const boost::filesystem::path& path);

// The message for a cut list that cannot be handled: "Unable to <verb> "..."
// because <reason>.", on standard output.
void reportFailure(const char* verb, const boost::filesystem::path& cutListPath, const std::string& reason);

// What every conversion of a run is asked for.
struct ConversionSettings {
    EdlAction action = EdlAction::Cut;         // written in every EDL line
    RateSource rateFrom = RateSource::Auto;    // where the divisor comes from
    std::vector<OutputFormat> formats = {OutputFormat::Edl};  // the files written, in this order
    std::vector<boost::filesystem::path> videoDirs = {};  // where else the video is looked for
    bool update = false;  // pass over a cut list whose files are newer than it and its video
};

// Converts one cut list into the files beside it that `settings` asks for.
// Prints nothing on success but the notes on the rate used, on cuts left out
// and on chapters without the recording's end; one "Unable to convert" line
// on standard output for a cut list that cannot be converted, and one for
// each file that cannot be written (the others are still written). True when
// every file was written, or when `update` passed the cut list over: every
// file it asks for exists and was written after the cut list and its video
// last changed. Such a cut list's video is not opened.
bool convertCutList(boost::filesystem::path cutListPath, const ConversionSettings& settings = {});

}  // namespace cut2edl
