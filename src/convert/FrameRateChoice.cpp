#include "convert/FrameRateChoice.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <utility>

#include "demux/MediaFile.h"

namespace cut2edl {

namespace {

using Origin = FrameRateChoice::Origin;
using Outcome = VideoRate::Outcome;

constexpr double agreement = 0.001;

bool agree(double headerRate, double videoRate) { return std::abs(headerRate - videoRate) <= agreement * videoRate; }

// Why the video gives no rate: as "Unable to convert" says it, and as a note
// says it of the cut list's video.
struct VideoProblem {
    const char* failure;
    const char* inNote;
};

VideoProblem problemOf(Outcome outcome) {
    switch (outcome) {
        case Outcome::Missing:
            return {"no accompaning video file could be found", "no accompaning video file could be found"};
        case Outcome::Unreadable:
            return {"the video file could not be read", "its video file could not be read"};
        case Outcome::Found:
        case Outcome::Undetermined:
        case Outcome::NotLookedFor:
            break;
    }
    return {"the frame rate could not be determined", "the frame rate of its video could not be determined"};
}

FrameRateChoice fromVideo(const VideoRate& video, std::string why) {
    return {Origin::Video, video.frameRate, std::move(why), {}};
}

FrameRateChoice fromCutList(const CutListHeader& header, std::string why) {
    return {Origin::CutList, header.frameRate, std::move(why), {}};
}

// The cut list's rate against or without the video's: the note says so.
FrameRateChoice fromCutListWithNote(const CutListHeader& header, std::string problem) {
    FrameRateChoice choice = fromCutList(header, problem);
    choice.note = "was counted at " + rateText(header.frameRate) + " frames per second, but " + problem +
                  "; the cut list's rate is used.";
    return choice;
}

FrameRateChoice none(std::string why) { return {Origin::None, -1.0, std::move(why), {}}; }

}  // namespace

VideoRate probeVideoRate(const boost::filesystem::path& video, const ProbeReport& report, bool learnDuration) {
    if (video.empty()) return VideoRate::withOutcome(Outcome::Missing);
    try {
        const MediaFile media(video.string(), report);
        // A rate of 0 would put every cut at infinity.
        VideoRate rate{media.frameRate > 0 ? Outcome::Found : Outcome::Undetermined, media.frameRate, media.width,
                       media.height, std::nullopt};
        if (learnDuration) rate.duration = media.duration(report);
        return rate;
    } catch (const std::exception&) {
        // A directory named like the video, a file the demuxer cannot open.
        return VideoRate::withOutcome(Outcome::Unreadable);
    }
}

FrameRateChoice chooseFrameRate(RateSource source, const std::optional<CutListText>& list,
                                const VideoRate& video) {
    if (!list) {
        const bool videoFailed = source != RateSource::List && video.outcome != Outcome::Found;
        return none(videoFailed ? videoFailure(video.outcome) : "the cut list could not be read");
    }
    const std::optional<CutListHeader>& header = list->header;
    if (source == RateSource::List) {
        if (!header) return none("the cut list states no frame rate");
        return fromCutList(*header, "asked for by --rate-from list");
    }
    const bool headerIgnored = source == RateSource::Video;
    const bool headerCounts = !headerIgnored && header;
    if (video.outcome == Outcome::Found) {
        if (!headerCounts) {
            return fromVideo(video, headerIgnored ? "asked for by --rate-from video" : "the cut list has no header");
        }
        if (agree(header->frameRate, video.frameRate)) return fromVideo(video, "the cut list's header agrees with it");
        return fromCutListWithNote(*header, "its video runs at " + rateText(video.frameRate));
    }
    if (!headerCounts) return none(videoFailure(video.outcome));
    return fromCutListWithNote(*header, problemOf(video.outcome).inNote);
}

const char* videoFailure(VideoRate::Outcome outcome) { return problemOf(outcome).failure; }

std::string rateText(double frameRate) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", frameRate);
    std::string rate = text;
    rate.erase(rate.find_last_not_of('0') + 1);
    if (rate.back() == '.') rate.pop_back();
    return rate;
}

}  // namespace cut2edl
