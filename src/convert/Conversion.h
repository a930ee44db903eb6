#pragma once

#include <boost/filesystem/path.hpp>

#include "convert/EdlAction.h"

namespace cut2edl {

// The recording beside the cut list: same name with ".mpg", ".mpeg", ".ts" or
// ".dvr-ms", the first that exists; an empty path when there is none.
boost::filesystem::path findCompanionVideo(const boost::filesystem::path& cutListPath);

// Converts one cut list into the EDL beside it, every line with the given
// action code. Prints nothing on success and one "Unable to convert" line on
// standard output for any failure.
void convertCutList(boost::filesystem::path cutListPath, EdlAction action = EdlAction::Cut);

}  // namespace cut2edl
