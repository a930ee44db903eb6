#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "demux/PTSTracker.h"
#include "demux/ProbeReport.h"

namespace cut2edl {

class MediaFile;

// One entry of the time-to-position index. `position` is a byte offset for
// program streams and ASF, a packet number for transport streams.
struct SeekPoint {
    std::int64_t position;
    double time;
};

// Base of the container readers. A derived constructor is the probe: it opens
// the file, finds frame rate and picture size and publishes them to its owner.
// The streaming operations walk the file and keep a seek index.
class Demuxer {
public:
    Demuxer(MediaFile* owner, std::string path);
    virtual ~Demuxer();

    Demuxer(const Demuxer&) = delete;
    Demuxer& operator=(const Demuxer&) = delete;

    virtual double progress() = 0;
    virtual bool start() = 0;
    virtual bool run() = 0;
    virtual bool seekToTime(double time) = 0;
    virtual bool addSeekPoint(double time) = 0;
    // A position of the seek index moved to where decoding can begin. Where
    // the index already holds such places (transport streams, ASF), the
    // position itself.
    virtual std::int64_t adjustSeekPosition(std::int64_t position);

    // The recording's duration in seconds, learnt when asked for (it may read
    // the end of the file); nothing when it cannot be learnt. Tells on
    // `report` how it was found, or why not.
    virtual std::optional<double> duration(const ProbeReport& report) = 0;

    // Position of the index entry at least one whole interval before `time`,
    // so decoding can settle before the wanted time; 0 on an empty index.
    std::int64_t findSeekPosition(double time) const;

    const std::vector<SeekPoint>& seekPoints() const { return seekIndex; }
    const std::shared_ptr<PTSTracker>& tracker() const { return ptsTracker; }

protected:
    // Delivers the probe results to the MediaFile that created this demuxer.
    void publish(double frameRate, std::int32_t width, std::int32_t height);

    // A duration and how it was found, or why there is none, as the report shows them.
    static std::optional<double> reportDuration(const ProbeReport& report, double seconds, const std::string& how);
    static std::optional<double> reportUnknownDuration(const ProbeReport& report, const char* why);
    // From the earliest of the video's first time stamps to the end of the
    // latest picture of its last ones.
    static std::optional<double> durationFromStamps(const ProbeReport& report, std::span<const std::int64_t> first,
                                                    std::span<const std::int64_t> last, double frameRate);

    MediaFile* owner;
    std::vector<SeekPoint> seekIndex;
    std::shared_ptr<PTSTracker> ptsTracker;
    std::string path;
};

}  // namespace cut2edl
