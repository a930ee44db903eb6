#include "demux/MediaFile.h"

#include <array>
#include <cstring>
#include <fstream>

#include <boost/filesystem/operations.hpp>

#include "asf/DemuxerASF.h"
#include "demux/DemuxerPS.h"
#include "demux/DemuxerTS.h"

namespace cut2edl {

namespace {

constexpr std::size_t sniffOffsets = 1024;
constexpr std::size_t windowSize = 4;

ContainerKind kindAt(const unsigned char* window) {
    static constexpr unsigned char packStartCode[] = {0x00, 0x00, 0x01, 0xBA};
    static constexpr unsigned char asfHeaderStart[] = {0x30, 0x26, 0xB2, 0x75};
    if (std::memcmp(window, packStartCode, windowSize) == 0) return ContainerKind::ProgramStream;
    if (window[0] == 0x47) return ContainerKind::TransportStream;
    if (std::memcmp(window, asfHeaderStart, windowSize) == 0) return ContainerKind::Asf;
    return ContainerKind::Unknown;
}

}  // namespace

ContainerKind sniffContainer(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::array<unsigned char, sniffOffsets + windowSize - 1> head{};
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    const auto available = static_cast<std::size_t>(file.gcount());
    // A window that would run past the end of the file is no match.
    for (std::size_t offset = 0; offset < sniffOffsets && offset + windowSize <= available; ++offset) {
        const ContainerKind kind = kindAt(head.data() + offset);
        if (kind != ContainerKind::Unknown) return kind;
    }
    return ContainerKind::Unknown;
}

MediaFile::MediaFile(std::string videoPath) : path(std::move(videoPath)) {
    fileSize = boost::filesystem::file_size(path);
    containerKind = sniffContainer(path);
    switch (containerKind) {
        case ContainerKind::ProgramStream:
            demuxer = std::make_shared<DemuxerPS>(this, path);
            break;
        case ContainerKind::Asf:
            demuxer = std::make_shared<DemuxerASF>(this, path);
            break;
        case ContainerKind::TransportStream:
            demuxer = std::make_shared<DemuxerTS>(this, path);
            break;
        case ContainerKind::Unknown:
            break;
    }
    ticksPerFrame = static_cast<std::int64_t>(90000.0 / frameRate);
}

MediaFile::~MediaFile() = default;

}  // namespace cut2edl
