// Feeds arbitrary bytes to the transport-stream demuxer through a temporary
// file: the probe with its table and video searches and its report, the duration, the packet
// walk, the seek index and seeking must survive any of them.
#include "demux/DemuxerTS.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cut2edl;
    const fuzz::ScratchFile input(data, size);
    DemuxerTS demuxer(&fuzz::owner(), input.path(), fuzz::renderingReport());
    demuxer.duration(fuzz::renderingReport());
    demuxer.addSeekPoint(0.0);
    demuxer.start();
    demuxer.addSeekPoint(1.0);
    demuxer.seekToTime(1.0);
    demuxer.run();
    demuxer.progress();
    return 0;
}
