#pragma once

namespace cut2edl {

// The code in the third column of an EDL line: what a player does with the span.
enum class EdlAction : int {
    Cut = 0,              // skip it
    Mute = 1,             // play it without sound
    SceneMarker = 2,      // mark its start
    CommercialBreak = 3,  // skip it, but show it and let the viewer seek back into it
};

constexpr bool isEdlActionCode(int code) {
    return code >= static_cast<int>(EdlAction::Cut) && code <= static_cast<int>(EdlAction::CommercialBreak);
}

}  // namespace cut2edl
