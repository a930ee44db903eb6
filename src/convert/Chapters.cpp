#include "convert/Chapters.h"

#include <algorithm>

namespace cut2edl {

namespace {

// Times computed from frame numbers may miss a whole frame by a rounding.
constexpr double slack = 1e-9;

class ChapterList {
public:
    explicit ChapterList(double frameSeconds) : shortest(frameSeconds - slack) {}

    // Ends the last chapter at `end` and opens one of the other kind behind
    // it; a chapter that would be shorter than a frame runs on instead.
    void turnAt(double end, bool commercialBehind) {
        if (end - openedAt < shortest) {
            // The first chapter takes its kind from what follows it.
            if (chapters.empty()) openedKind = commercialBehind;
            return;
        }
        if (openedKind == commercialBehind) return;
        chapters.push_back({openedAt, end, openedKind});
        openedAt = end;
        openedKind = commercialBehind;
    }

    // Closes the last chapter at `end`; one shorter than a frame joins the one before it.
    std::vector<Chapter> closedAt(double end) {
        if (end - openedAt >= shortest) {
            chapters.push_back({openedAt, end, openedKind});
        } else if (!chapters.empty()) {
            chapters.back().endSeconds = end;
        }
        return std::move(chapters);
    }

private:
    double shortest;
    std::vector<Chapter> chapters;
    double openedAt = 0.0;
    bool openedKind = false;
};

// The cuts as commercials within [0, end]: clipped, merged where they
// overlap or touch. A cut's end is the start of its last frame, so cuts that
// touch (the next one starts on the frame behind) lie one frame apart.
CutList commercials(const CutList& cuts, double frameSeconds, double end) {
    CutList merged;
    for (const Cut& cut : cuts) {
        const double start = std::clamp(cut.startSeconds, 0.0, end);
        const double stop = std::clamp(cut.endSeconds, 0.0, end);
        if (!merged.empty() && start - merged.back().endSeconds <= frameSeconds + slack) {
            merged.back().endSeconds = std::max(merged.back().endSeconds, stop);
        } else {
            merged.push_back({start, stop});
        }
    }
    return merged;
}

}  // namespace

std::vector<Chapter> chaptersOf(const CutList& cuts, double frameRate, std::optional<double> duration) {
    const double frameSeconds = 1.0 / frameRate;
    double end = duration.value_or(0.0);
    if (!duration) {
        for (const Cut& cut : cuts) end = std::max(end, cut.endSeconds);
    }
    ChapterList chapters(frameSeconds);
    for (const Cut& commercial : commercials(cuts, frameSeconds, end)) {
        // A commercial shorter than a frame is no chapter: it stays show.
        if (commercial.endSeconds - commercial.startSeconds < frameSeconds - slack) continue;
        chapters.turnAt(commercial.startSeconds, true);
        chapters.turnAt(commercial.endSeconds, false);
    }
    return chapters.closedAt(end);
}

}  // namespace cut2edl
