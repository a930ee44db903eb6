#pragma once

// What the demuxer fuzz targets share: demuxers read files, so the fuzzed
// bytes go through a scratch file, and a demuxer needs an owner to publish to.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

#include "demux/MediaFile.h"

namespace cut2edl::fuzz {

inline std::string scratchPath(const char* role) {
    return (std::filesystem::temp_directory_path() /
            ("cut2edl-fuzz-" + std::to_string(::getpid()) + "-" + role))
        .string();
}

// An empty file gets no demuxer of its own, so only the demuxer under test
// sees the fuzzed bytes.
inline MediaFile& owner() {
    static const std::unique_ptr<MediaFile> file = [] {
        const std::string emptyFile = scratchPath("owner");
        std::ofstream{emptyFile, std::ios::binary | std::ios::trunc};
        auto made = std::make_unique<MediaFile>(emptyFile);
        std::filesystem::remove(emptyFile);
        return made;
    }();
    return *file;
}

// A report that formats every line, as an inspection does, and keeps none.
inline ProbeReport renderingReport() {
    return ProbeReport([](std::string_view) {});
}

// The fuzzed bytes as a file, removed again when the input is done.
class ScratchFile {
public:
    ScratchFile(const std::uint8_t* data, std::size_t size) : filePath(scratchPath("input")) {
        std::ofstream out(filePath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ~ScratchFile() { std::filesystem::remove(filePath); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return filePath; }

private:
    std::string filePath;
};

}  // namespace cut2edl::fuzz
