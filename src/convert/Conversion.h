#pragma once

#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "convert/EdlAction.h"
#include "convert/OutputFormat.h"
#include "convert/RateSource.h"

namespace cut2edl {

// The recording beside the cut list: same name with ".mpg", ".mpeg", ".ts",
// ".dvr-ms", ".m2ts" or ".mts", the first that exists; an empty path when
// there is none.
boost::filesystem::path findCompanionVideo(const boost::filesystem::path& cutListPath);

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
};

// Converts one cut list into the files beside it that `settings` asks for.
// Prints nothing on success but the notes on the rate used, on cuts left out
// and on chapters without the recording's end; one "Unable to convert" line
// on standard output for a cut list that cannot be converted, and one for
// each file that cannot be written (the others are still written).
void convertCutList(boost::filesystem::path cutListPath, const ConversionSettings& settings = {});

}  // namespace cut2edl
