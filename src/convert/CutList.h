#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string_view>
#include <vector>

#include <boost/filesystem/path.hpp>

namespace cut2edl {

// One cut, in seconds from the beginning of the video.
struct Cut {
    double startSeconds = 0.0;
    double endSeconds = 0.0;
};

// The cuts as the EDL holds them.
using CutList = std::vector<Cut>;

// One cut as a cut list gives it: its first frame and its last.
struct FrameCut {
    std::int32_t startFrame = 0;
    std::int32_t endFrame = 0;

    bool operator==(const FrameCut&) const = default;
};

// The first line that a commercial detector writes when it has finished,
// "FILE PROCESSING COMPLETE  53536 FRAMES AT  2500": the frames it counted
// and the rate it counted them at (the number after "AT" is the rate times 100).
struct CutListHeader {
    std::int64_t frameCount = 0;
    std::int32_t ratePer100Seconds = 0;
    double frameRate = 0.0;  // the NTSC rates as their exact fractions
};

// What a cut list holds: its header, if it has one, and its cuts in the order
// of their lines, unchecked.
struct CutListText {
    std::optional<CutListHeader> header;
    std::vector<FrameCut> cuts;
};

// The header that `line` is, or nothing.
std::optional<CutListHeader> parseCutListHeader(std::string_view line);

// The header on the first line, and one cut for every line that starts with
// two frame numbers; every other line is passed over without a message.
CutListText readCuts(std::istream& text);

// The file's header and cuts, or nothing when it cannot be opened or read.
std::optional<CutListText> readCutList(const boost::filesystem::path& cutListPath);

// The cuts that an EDL can hold: a cut that ends before it starts is left out,
// the rest are ordered by their start, and cuts that share a frame become one
// (cuts that only touch stay two).
struct ValidCuts {
    std::vector<FrameCut> cuts;
    std::size_t leftOut = 0;  // cuts that end before they start
};
ValidCuts validCuts(std::vector<FrameCut> cuts);

// Every frame number divided by the frame rate.
CutList inSeconds(const std::vector<FrameCut>& cuts, double frameRate);

}  // namespace cut2edl
