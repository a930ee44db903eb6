// Feeds arbitrary bytes to the program-stream demuxer through a temporary
// file: the probe, the duration, the chunk walk, seeking and the backward start-code search
// must survive any of them.
#include "demux/DemuxerPS.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cut2edl;
    const fuzz::ScratchFile input(data, size);
    DemuxerPS demuxer(&fuzz::owner(), input.path(), fuzz::renderingReport());
    demuxer.duration(fuzz::renderingReport());
    demuxer.start();
    demuxer.addSeekPoint(0.0);
    demuxer.addSeekPoint(1.0);
    demuxer.seekToTime(1.0);
    demuxer.run();
    demuxer.adjustSeekPosition(static_cast<std::int64_t>(size / 2));
    demuxer.progress();
    return 0;
}
