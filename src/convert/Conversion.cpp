#include "convert/Conversion.h"

#include <algorithm>
#include <array>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include <boost/filesystem/operations.hpp>

#include "convert/CutList.h"
#include "convert/EdlWriter.h"
#include "convert/PathForms.h"
#include "demux/MediaFile.h"

namespace cut2edl {

namespace fs = boost::filesystem;

namespace {

constexpr std::array videoExtensions = {".mpg", ".mpeg", ".ts", ".dvr-ms", ".m2ts", ".mts"};

// The video is closed again before the cut list is opened. Nothing when the
// probe throws (a directory named like the video, a file the demuxer cannot open).
std::optional<double> probeFrameRate(const fs::path& video) {
    try {
        const MediaFile media(video.string());
        return media.frameRate;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

void reportFailure(const char* verb, const fs::path& cutListPath, const char* reason) {
    std::cout << "Unable to " << verb << " \"" << native_file_string(cutListPath) << "\" because " << reason << ".\n";
}

bool isVideoFile(const fs::path& path) {
    const std::string extension = path.extension().string();
    return std::find(videoExtensions.begin(), videoExtensions.end(), extension) != videoExtensions.end();
}

fs::path findCompanionVideo(const fs::path& cutListPath) {
    for (const char* extension : videoExtensions) {
        const fs::path candidate = change_extension(cutListPath, extension);
        boost::system::error_code error;
        if (fs::exists(candidate, error)) return candidate;
    }
    return {};
}

void convertCutList(fs::path cutListPath, EdlAction action) {
    const fs::path video = findCompanionVideo(cutListPath);
    if (video.empty()) return reportFailure("convert", cutListPath, "no accompaning video file could be found");

    const std::optional<double> frameRate = probeFrameRate(video);
    if (!frameRate) return reportFailure("convert", cutListPath, "the video file could not be read");
    if (*frameRate < 0) return reportFailure("convert", cutListPath, "the frame rate could not be determined");

    const std::optional<CutList> cuts = readCutList(cutListPath, *frameRate);
    if (!cuts) return reportFailure("convert", cutListPath, "the cut list could not be read");
    if (!writeEdl(cutListPath, *cuts, action)) reportFailure("convert", cutListPath, "the EDL file could not be written");
}

}  // namespace cut2edl
