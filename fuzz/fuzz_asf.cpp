// Feeds arbitrary bytes to the ASF demuxer through a temporary file: the
// probe, the duration, the header and data walks, and a seek must survive any of them.
#include "asf/DemuxerASF.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cut2edl;
    const fuzz::ScratchFile input(data, size);
    DemuxerASF demuxer(&fuzz::owner(), input.path(), fuzz::renderingReport());
    demuxer.duration(fuzz::renderingReport());
    demuxer.start();
    demuxer.addSeekPoint(0.0);
    demuxer.addSeekPoint(1.0);
    demuxer.seekToTime(1.0);
    demuxer.run();
    demuxer.progress();
    return 0;
}
