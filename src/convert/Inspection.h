#pragma once

#include <vector>

#include <boost/filesystem/path.hpp>

#include "convert/RateSource.h"

namespace cut2edl {

// Prints what the probe finds in a recording, converting nothing: in the
// video named by `input`, or in the companion video of the cut list it names
// (looked for in `videoDirs` too).
// A cut list's report opens with its header and ends with the rate that a
// conversion would divide by, and why. A cut list without a video, or a video
// that cannot be read, gets an "Unable to inspect" line on standard output,
// and false.
bool inspectInput(const boost::filesystem::path& input, RateSource rateFrom = RateSource::Auto,
                  const std::vector<boost::filesystem::path>& videoDirs = {});

}  // namespace cut2edl
