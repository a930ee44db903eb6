#include "convert/Conversion.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <optional>
#include <string>

#include <boost/filesystem/operations.hpp>

#include "convert/CutList.h"
#include "convert/EdlWriter.h"
#include "convert/FrameRateChoice.h"
#include "convert/PathForms.h"

namespace cut2edl {

namespace fs = boost::filesystem;

namespace {

constexpr std::array videoExtensions = {".mpg", ".mpeg", ".ts", ".dvr-ms", ".m2ts", ".mts"};

// The parsers' notices end without a line end, so that a failure message runs
// on behind them; a note starts on a line of its own.
class ConsoleNotes {
public:
    NoticeSink noticeSink() {
        return [this](std::string_view notice) {
            notice_to_stdout(notice);
            noticePending = true;
        };
    }

    void note(const fs::path& cutListPath, const std::string& text) {
        if (noticePending) std::cout << "\n";
        noticePending = false;
        std::cout << "Note: \"" << native_file_string(cutListPath) << "\" " << text << "\n";
    }

private:
    bool noticePending = false;
};

std::string leftOutNote(std::size_t count) {
    if (count == 1) return "holds 1 cut that ends before it starts; it is left out.";
    return "holds " + std::to_string(count) + " cuts that end before they start; they are left out.";
}

}  // namespace

void reportFailure(const char* verb, const fs::path& cutListPath, const std::string& reason) {
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

void convertCutList(fs::path cutListPath, const ConversionSettings& settings) {
    ConsoleNotes notes;
    // The video is probed and closed again before the cut list is opened.
    const VideoRate video = settings.rateFrom == RateSource::List
                                ? VideoRate{}
                                : probeVideoRate(findCompanionVideo(cutListPath),
                                                 ProbeReport::forwardingNotices(notes.noticeSink()));
    const std::optional<CutListText> list = readCutList(cutListPath);
    const FrameRateChoice rate = chooseFrameRate(settings.rateFrom, list, video);
    if (rate.origin == FrameRateChoice::Origin::None) return reportFailure("convert", cutListPath, rate.why);
    if (!rate.note.empty()) notes.note(cutListPath, rate.note);

    // A rate was chosen, so the list was read.
    const ValidCuts cuts = validCuts(list->cuts);
    if (cuts.leftOut > 0) notes.note(cutListPath, leftOutNote(cuts.leftOut));
    if (!writeEdl(cutListPath, inSeconds(cuts.cuts, rate.frameRate), settings.action)) {
        reportFailure("convert", cutListPath, "the EDL file could not be written");
    }
}

}  // namespace cut2edl
