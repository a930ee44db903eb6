#pragma once

#include <boost/filesystem/path.hpp>

#include "convert/RateSource.h"

namespace cut2edl {

// Prints what the probe finds in a recording, converting nothing: in the
// video named by `input`, or in the companion video of the cut list it names.
// A cut list's report opens with its header and ends with the rate that a
// conversion would divide by, and why. A cut list without a video, or a video
// that cannot be read, gets an "Unable to inspect" line on standard output.
void inspectInput(const boost::filesystem::path& input, RateSource rateFrom = RateSource::Auto);

}  // namespace cut2edl
