#pragma once

#include <string>

#include <boost/filesystem/path.hpp>

#include "convert/EdlAction.h"
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
};

// Converts one cut list into the EDL beside it. Prints nothing on success but
// the notes on the rate used and on cuts left out; one "Unable to convert"
// line on standard output for any failure.
void convertCutList(boost::filesystem::path cutListPath, const ConversionSettings& settings = {});

}  // namespace cut2edl
