#include "demux/MediaFile.h"

#include <array>
#include <cstring>
#include <fstream>

#include <boost/filesystem/operations.hpp>

#include "asf/DemuxerASF.h"
#include "demux/DemuxerPS.h"
#include "demux/DemuxerTS.h"
#include "demux/packet_sync.h"

namespace cut2edl {

namespace {

constexpr std::size_t sniffOffsets = 1024;
constexpr std::size_t windowSize = 4;

bool startsWith(const unsigned char* window, const unsigned char (&marker)[windowSize]) {
    return std::memcmp(window, marker, windowSize) == 0;
}

void reportContainer(const ProbeReport& report, const ContainerMarker& marker) {
    switch (marker.kind) {
        case ContainerKind::ProgramStream:
            return report.print("Container: MPEG program stream (pack header 00 00 01 BA at offset %lld)",
                                static_cast<long long>(marker.offset));
        case ContainerKind::TransportStream:
            return report.print("Container: MPEG-2 transport stream (sync byte 0x47 at offset %lld)",
                                static_cast<long long>(marker.offset));
        case ContainerKind::Asf:
            return report.print("Container: ASF (Header Object identifier 30 26 B2 75 at offset %lld)",
                                static_cast<long long>(marker.offset));
        case ContainerKind::Unknown:
            return report.line("Container: not recognised (no marker within the first 1027 bytes)");
    }
}

void reportResult(const ProbeReport& report, const MediaFile& media) {
    if (media.frameRate < 0) return report.line("Frame rate: none would be found, so the cut list cannot be converted");
    report.print("Frame rate: %.10g frames per second, %d x %d", media.frameRate, media.width, media.height);
}

}  // namespace

ContainerMarker findContainerMarker(const std::string& path) {
    static constexpr unsigned char packStartCode[] = {0x00, 0x00, 0x01, 0xBA};
    static constexpr unsigned char asfHeaderStart[] = {0x30, 0x26, 0xB2, 0x75};
    // Unbuffered, so that the read takes just the bytes below and no more.
    std::ifstream file;
    file.rdbuf()->pubsetbuf(nullptr, 0);
    file.open(path, std::ios::binary);
    // The marker windows, and behind the last of them what the check of a
    // sync byte looks at.
    std::array<unsigned char, sniffOffsets - 1 + syncCheckSpan> head{};
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    const auto available = static_cast<std::size_t>(file.gcount());
    // A sync byte that begins no run of packets decides only when no other
    // marker follows it.
    ContainerMarker strayByte;
    // A window that would run past the end of the file is no match.
    for (std::size_t offset = 0; offset < sniffOffsets && offset + windowSize <= available; ++offset) {
        const unsigned char* window = head.data() + offset;
        const auto at = static_cast<std::int64_t>(offset);
        if (startsWith(window, packStartCode)) return {ContainerKind::ProgramStream, at};
        if (window[0] == transportSyncByte) {
            if (packetSizeAt(window, available - offset) != 0) return {ContainerKind::TransportStream, at};
            if (strayByte.offset < 0) strayByte = {ContainerKind::TransportStream, at};
        }
        if (startsWith(window, asfHeaderStart)) return {ContainerKind::Asf, at};
    }
    return strayByte;
}

ContainerKind sniffContainer(const std::string& path) { return findContainerMarker(path).kind; }

MediaFile::MediaFile(std::string videoPath, const ProbeReport& report) : path(std::move(videoPath)) {
    fileSize = boost::filesystem::file_size(path);
    report.print("Size: %llu bytes", static_cast<unsigned long long>(fileSize));
    const ContainerMarker marker = findContainerMarker(path);
    reportContainer(report, marker);
    containerKind = marker.kind;
    switch (containerKind) {
        case ContainerKind::ProgramStream:
            demuxer = std::make_shared<DemuxerPS>(this, path, report);
            break;
        case ContainerKind::Asf:
            demuxer = std::make_shared<DemuxerASF>(this, path, report);
            break;
        case ContainerKind::TransportStream:
            demuxer = std::make_shared<DemuxerTS>(this, path, report);
            break;
        case ContainerKind::Unknown:
            break;
    }
    ticksPerFrame = static_cast<std::int64_t>(90000.0 / frameRate);
    reportResult(report, *this);
}

MediaFile::~MediaFile() = default;

}  // namespace cut2edl
