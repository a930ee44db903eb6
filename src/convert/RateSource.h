#pragma once

#include <optional>
#include <string_view>

namespace cut2edl {

// Where the divisor of the frame numbers comes from.
enum class RateSource {
    Auto,   // the video's, unless the cut list's header states another or the video gives none
    Video,  // the video's only
    List,   // the cut list header's only; no video is looked for
};

// The source that a --rate-from value names: "auto", "video" or "list".
constexpr std::optional<RateSource> rateSourceNamed(std::string_view name) {
    if (name == "auto") return RateSource::Auto;
    if (name == "video") return RateSource::Video;
    if (name == "list") return RateSource::List;
    return std::nullopt;
}

}  // namespace cut2edl
