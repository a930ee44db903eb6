#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "demux/ProbeReport.h"

namespace cut2edl {

class Demuxer;

enum class ContainerKind : std::int32_t {
    Unknown = 0,
    ProgramStream = 1,
    TransportStream = 2,
    Asf = 3,
};

// The marker that decided the container, and where it lies.
struct ContainerMarker {
    ContainerKind kind = ContainerKind::Unknown;
    std::int64_t offset = -1;
};

// Recognises the container from the markers within the file's first 1027
// bytes, or where they hold none, from a pack header, an ASF header or a run
// of transport packets within its first 64 KiB; Unknown when none is found or
// the file cannot be opened.
ContainerMarker findContainerMarker(const std::string& path);
ContainerKind sniffContainer(const std::string& path);

// One video under examination. Construction does all the probing: it measures
// the file, recognises its container and lets the matching demuxer find frame
// rate and picture size. A negative frame rate means "not determined". The
// probe tells what it finds on `report`.
class MediaFile {
public:
    explicit MediaFile(std::string videoPath, const ProbeReport& report = ProbeReport());
    ~MediaFile();

    // The recording's duration in seconds, or nothing when it cannot be
    // learnt; it may read the end of the file, so it is learnt only when asked for.
    std::optional<double> duration(const ProbeReport& report = ProbeReport()) const;

    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;

    std::string path;
    std::uint64_t fileSize = 0;
    ContainerKind containerKind = ContainerKind::Unknown;
    std::int64_t ticksPerFrame = 0;
    double frameRate = -1.0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::shared_ptr<Demuxer> demuxer;
};

}  // namespace cut2edl
