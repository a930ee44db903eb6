#include "demux/Demuxer.h"

#include <algorithm>

#include "demux/MediaFile.h"
#include "demux/pts_span.h"

namespace cut2edl {

Demuxer::Demuxer(MediaFile* ownerFile, std::string videoPath) : owner(ownerFile), path(std::move(videoPath)) {}

Demuxer::~Demuxer() = default;

std::int64_t Demuxer::findSeekPosition(double time) const {
    if (seekIndex.empty()) return 0;
    auto first = std::find_if(seekIndex.begin(), seekIndex.end(),
                              [time](const SeekPoint& point) { return !(point.time < time); });
    auto index = first - seekIndex.begin();
    index = std::max<decltype(index)>(index - 2, 0);
    return seekIndex[static_cast<std::size_t>(index)].position;
}

std::int64_t Demuxer::adjustSeekPosition(std::int64_t position) { return position; }

void Demuxer::publish(double frameRate, std::int32_t width, std::int32_t height) {
    owner->frameRate = frameRate;
    owner->width = width;
    owner->height = height;
}

std::optional<double> Demuxer::reportDuration(const ProbeReport& report, double seconds, const std::string& how) {
    report.print("Duration: %.10g s (%s)", seconds, how.c_str());
    return seconds;
}

std::optional<double> Demuxer::reportUnknownDuration(const ProbeReport& report, const char* why) {
    report.print("Duration: unknown, %s", why);
    return std::nullopt;
}

std::optional<double> Demuxer::durationFromStamps(const ProbeReport& report, std::span<const std::int64_t> first,
                                                  std::span<const std::int64_t> last, double frameRate) {
    if (first.empty()) return reportUnknownDuration(report, "no video time stamp near the start of the file");
    if (last.empty()) return reportUnknownDuration(report, "no video time stamp within 4 MiB of the end of the file");
    const std::int64_t earliest = earliestPts(first);
    const std::int64_t latest = latestPts(last);
    return reportDuration(report, durationBetween(earliest, latest, frameRate),
                          format_text("video PTS %lld to %lld, and one frame", static_cast<long long>(earliest),
                                      static_cast<long long>(latest)));
}

}  // namespace cut2edl
