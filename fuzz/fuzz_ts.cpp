// Feeds arbitrary bytes to the transport-stream demuxer through a temporary
// file: the probe with its table and video searches and its report, the packet
// walk, the seek index and seeking must survive any of them.
#include <string_view>

#include "demux/DemuxerTS.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cut2edl;
    const fuzz::ScratchFile input(data, size);
    std::size_t reported = 0;
    const ProbeReport report([&reported](std::string_view line) { reported += line.size(); });
    DemuxerTS demuxer(&fuzz::owner(), input.path(), report);
    demuxer.addSeekPoint(0.0);
    demuxer.start();
    demuxer.addSeekPoint(1.0);
    demuxer.seekToTime(1.0);
    demuxer.run();
    demuxer.progress();
    return 0;
}
