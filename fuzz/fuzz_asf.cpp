// Feeds arbitrary bytes to the ASF demuxer through a temporary file: the
// probe, the header and data walks, and a seek must survive any of them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "asf/DemuxerASF.h"
#include "demux/MediaFile.h"

namespace {

std::string scratchPath(const char* role) {
    return (std::filesystem::temp_directory_path() /
            ("cut2edl-fuzz-asf-" + std::to_string(::getpid()) + "-" + role))
        .string();
}

// The demuxer needs an owner to publish to; an empty file gets no demuxer of
// its own, so only the ASF code sees the fuzzed bytes.
cut2edl::MediaFile& owner() {
    static const std::unique_ptr<cut2edl::MediaFile> file = [] {
        const std::string emptyFile = scratchPath("owner");
        std::ofstream{emptyFile, std::ios::binary | std::ios::trunc};
        auto made = std::make_unique<cut2edl::MediaFile>(emptyFile);
        std::filesystem::remove(emptyFile);
        return made;
    }();
    return *file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = scratchPath("input");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    cut2edl::DemuxerASF demuxer(&owner(), path);
    demuxer.start();
    demuxer.addSeekPoint(0.0);
    demuxer.addSeekPoint(1.0);
    demuxer.seekToTime(1.0);
    demuxer.run();
    demuxer.progress();
    std::remove(path.c_str());
    return 0;
}
