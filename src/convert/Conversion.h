#pragma once

#include <boost/filesystem/path.hpp>

#include "convert/EdlAction.h"

namespace cut2edl {

// The recording beside the cut list: same name with ".mpg", ".mpeg", ".ts",
// ".dvr-ms", ".m2ts" or ".mts", the first that exists; an empty path when
// there is none.
boost::filesystem::path findCompanionVideo(const boost::filesystem::path& cutListPath);

// A file named as a recording is: with one of the companion videos' extensions.
bool isVideoFile(const boost::filesystem::path& path);

// The message for a cut list that cannot be handled: "Unable to <verb> "..."
// because <reason>.", on standard output.
void reportFailure(const char* verb, const boost::filesystem::path& cutListPath, const char* reason);

// Converts one cut list into the EDL beside it, every line with the given
// action code. Prints nothing on success and one "Unable to convert" line on
// standard output for any failure.
void convertCutList(boost::filesystem::path cutListPath, EdlAction action = EdlAction::Cut);

}  // namespace cut2edl
