#include "demux/Demuxer.h"

#include <algorithm>

#include "demux/MediaFile.h"

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

}  // namespace cut2edl
