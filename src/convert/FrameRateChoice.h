#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <boost/filesystem/path.hpp>

#include "convert/CutList.h"
#include "convert/RateSource.h"
#include "demux/ProbeReport.h"

namespace cut2edl {

// What the companion video tells about its frame rate, its picture size and,
// when asked for, its duration.
struct VideoRate {
    enum class Outcome {
        Found,         // frameRate holds it
        Missing,       // there is no companion video
        Unreadable,    // the probe could not read it
        Undetermined,  // read, but it gives no rate
        NotLookedFor,
    };
    Outcome outcome = Outcome::NotLookedFor;
    double frameRate = -1.0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::optional<double> duration;  // seconds

    // The outcome alone, nothing else known.
    static VideoRate withOutcome(Outcome outcome) {
        VideoRate rate;
        rate.outcome = outcome;
        return rate;
    }
};

// Probes the video, telling `report` what it finds, and closes it again; an
// empty path is a missing video. The duration is learnt only with
// `learnDuration`, as it may read the end of the file.
VideoRate probeVideoRate(const boost::filesystem::path& video, const ProbeReport& report = ProbeReport(),
                         bool learnDuration = false);

// Why the video gives no rate, as "Unable to convert" says it.
const char* videoFailure(VideoRate::Outcome outcome);

// The rate that turns the frame numbers of one cut list into seconds, and why.
struct FrameRateChoice {
    enum class Origin { None, Video, CutList };
    Origin origin = Origin::None;
    double frameRate = -1.0;
    // Why this rate, or why there is none (then the reason that "Unable to
    // convert" gives).
    std::string why;
    // For a cut list's rate that overrides the video's or stands in for it:
    // the note's text behind the cut list's path; empty otherwise.
    std::string note;
};

// The cut list's header rate where it differs from the video's by more than
// 0.1% or the video gives none (`Auto`), or only the one source asked for.
// None for a list that could not be read; a video without a rate is then
// named first, as it would be for a list without a header.
FrameRateChoice chooseFrameRate(RateSource source, const std::optional<CutListText>& list, const VideoRate& video);

// A rate as the notes print it: three decimals at most, no trailing zeros (59.94, 25).
std::string rateText(double frameRate);

}  // namespace cut2edl
