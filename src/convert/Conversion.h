#pragma once

#include <boost/filesystem/path.hpp>

namespace cut2edl {

// The recording beside the cut list: same name with ".mpg", ".mpeg", ".ts" or
// ".dvr-ms", the first that exists; an empty path when there is none.
boost::filesystem::path findCompanionVideo(const boost::filesystem::path& cutListPath);

// Converts one cut list into the EDL beside it. Prints nothing on success and
// one "Unable to convert" line on standard output for any failure.
void convertCutList(boost::filesystem::path cutListPath);

}  // namespace cut2edl
