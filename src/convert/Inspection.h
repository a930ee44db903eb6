#pragma once

#include <boost/filesystem/path.hpp>

namespace cut2edl {

// Prints what the probe finds in a recording, converting nothing: in the
// video named by `input`, or in the companion video of the cut list it names.
// A cut list without a video, or a video that cannot be read, gets an "Unable
// to inspect" line on standard output.
void inspectInput(const boost::filesystem::path& input);

}  // namespace cut2edl
