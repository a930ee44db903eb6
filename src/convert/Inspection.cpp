#include "convert/Inspection.h"

#include <exception>
#include <iostream>

#include "convert/Conversion.h"
#include "convert/PathForms.h"
#include "demux/MediaFile.h"

namespace cut2edl {

void inspectInput(const boost::filesystem::path& input) {
    const boost::filesystem::path video = isVideoFile(input) ? input : findCompanionVideo(input);
    if (video.empty()) return reportFailure("inspect", input, "no accompaning video file could be found");
    std::cout << "Inspecting \"" << native_file_string(video) << "\"\n";
    const ProbeReport report([](std::string_view line) { std::cout << "  " << line << "\n"; });
    try {
        const MediaFile media(video.string(), report);
    } catch (const std::exception&) {
        reportFailure("inspect", input, "the video file could not be read");
    }
    std::cout << "\n";
}

}  // namespace cut2edl
