#pragma once

#include <optional>
#include <vector>

#include "convert/CutList.h"

namespace cut2edl {

// One stretch of the recording, in seconds: the show, or a commercial break
// that a cut marks.
struct Chapter {
    double startSeconds = 0.0;
    double endSeconds = 0.0;
    bool commercial = false;

    bool operator==(const Chapter&) const = default;
};

// The chapters from 0 to the end of the recording, show and commercial in
// turn: the cuts (ordered by their start, as an EDL holds them) are the
// commercials, clipped to `duration`; cuts that overlap or touch (no frame of
// show between them) are one commercial; a stretch shorter than one frame
// joins the chapter before it (the first, the one after).
// Without a duration the last chapter ends with the last cut.
std::vector<Chapter> chaptersOf(const CutList& cuts, double frameRate, std::optional<double> duration);

}  // namespace cut2edl
