#include "demux/MediaFile.h"

#include <array>
#include <cstring>
#include <fstream>
#include <vector>

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
            return report.line("Container: not recognised (no marker within the first 1027 bytes, nor a packet "
                               "sync or a header within the first 64 KiB)");
    }
}

void reportResult(const ProbeReport& report, const MediaFile& media) {
    if (media.frameRate < 0) return report.line("Frame rate: none would be found, so the cut list cannot be converted");
    report.print("Frame rate: %.10g frames per second, %d x %d", media.frameRate, media.width, media.height);
}

constexpr unsigned char packStartCode[] = {0x00, 0x00, 0x01, 0xBA};
constexpr unsigned char asfHeaderStart[] = {0x30, 0x26, 0xB2, 0x75};
// How far junk before the first packet or header is looked behind, once the
// first bytes hold no marker.
constexpr std::size_t junkSearchBound = 64 * 1024;

// The first marker at offsets from `first` up to `last` of the `available`
// bytes of `head`; a sync byte that begins no run of packets is noted in
// `strayByte` (the first one) and passed over.
ContainerMarker scanForMarker(const unsigned char* head, std::size_t available, std::size_t first,
                              std::size_t last, ContainerMarker* strayByte) {
    // A window that would run past the end of the file is no match.
    for (std::size_t offset = first; offset < last && offset + windowSize <= available; ++offset) {
        const unsigned char* window = head + offset;
        const auto at = static_cast<std::int64_t>(offset);
        if (startsWith(window, packStartCode)) return {ContainerKind::ProgramStream, at};
        if (window[0] == transportSyncByte) {
            if (packetSizeAt(window, available - offset) != 0) return {ContainerKind::TransportStream, at};
            if (strayByte != nullptr && strayByte->offset < 0) *strayByte = {ContainerKind::TransportStream, at};
        }
        if (startsWith(window, asfHeaderStart)) return {ContainerKind::Asf, at};
    }
    return {};
}

}  // namespace

ContainerMarker findContainerMarker(const std::string& path) {
    // Unbuffered, so that each read takes just the bytes asked for.
    std::ifstream file;
    file.rdbuf()->pubsetbuf(nullptr, 0);
    file.open(path, std::ios::binary);
    // The marker windows, and behind the last of them what the check of a
    // sync byte looks at; the rest is read only when they hold no marker.
    std::vector<unsigned char> head(junkSearchBound - 1 + syncCheckSpan);
    const std::size_t firstPart = sniffOffsets - 1 + syncCheckSpan;
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(firstPart));
    std::size_t available = static_cast<std::size_t>(file.gcount());
    // A sync byte among the first bytes that begins no run of packets decides
    // only when nothing else is found.
    ContainerMarker strayByte;
    ContainerMarker marker = scanForMarker(head.data(), available, 0, sniffOffsets, &strayByte);
    if (marker.offset >= 0) return marker;
    // Junk before the first packet or header: a capture that began mid-stream,
    // or a recorder's own header.
    if (available == firstPart) {
        file.read(reinterpret_cast<char*>(head.data() + available), static_cast<std::streamsize>(head.size() - available));
        available += static_cast<std::size_t>(file.gcount());
    }
    marker = scanForMarker(head.data(), available, sniffOffsets, junkSearchBound, nullptr);
    return marker.offset >= 0 ? marker : strayByte;
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

std::optional<double> MediaFile::duration(const ProbeReport& report) const {
    if (demuxer) return demuxer->duration(report);
    report.line("Duration: unknown, the container was not recognised");
    return std::nullopt;
}

}  // namespace cut2edl
