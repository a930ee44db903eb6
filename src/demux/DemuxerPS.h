#pragma once

#include "demux/Demuxer.h"

namespace cut2edl {

// Placeholder until the program-stream demuxer lands.
class DemuxerPS : public Demuxer {
public:
    DemuxerPS(MediaFile* owner, std::string path) : Demuxer(owner, std::move(path)) {}
    double progress() override { return 0.0; }
    bool start() override { return false; }
    bool run() override { return false; }
    bool seekToTime(double) override { return false; }
    bool addSeekPoint(double) override { return true; }
    std::int64_t adjustSeekPosition(std::int64_t position) override { return position; }
};

}  // namespace cut2edl
