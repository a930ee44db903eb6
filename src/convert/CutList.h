#pragma once

#include <istream>
#include <optional>
#include <vector>

#include <boost/filesystem/path.hpp>

namespace cut2edl {

// One cut, in seconds from the beginning of the video.
struct Cut {
    double startSeconds = 0.0;
    double endSeconds = 0.0;
};

// The cuts of one cut list, in the order of their lines; never sorted or checked.
using CutList = std::vector<Cut>;

// Every line that starts with two frame numbers gives one cut; every other line
// is passed over without a message.
CutList readCuts(std::istream& text, double frameRate);

// The cuts of the file, or nothing when it cannot be opened or read.
std::optional<CutList> readCutList(const boost::filesystem::path& cutListPath, double frameRate);

}  // namespace cut2edl
