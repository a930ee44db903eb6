#include "convert/Inspection.h"

#include <iostream>
#include <optional>

#include "convert/Conversion.h"
#include "convert/CutList.h"
#include "convert/FrameRateChoice.h"
#include "convert/PathForms.h"

namespace cut2edl {

namespace fs = boost::filesystem;

namespace {

ProbeReport consoleReport() {
    return ProbeReport([](std::string_view line) { std::cout << "  " << line << "\n"; });
}

VideoRate inspectVideo(const fs::path& video, const ProbeReport& report) {
    std::cout << "Inspecting \"" << native_file_string(video) << "\"\n";
    return probeVideoRate(video, report, true);
}

void reportHeader(const ProbeReport& report, const std::optional<CutListText>& list) {
    if (!list) return report.line("Header: none, the cut list could not be read");
    if (!list->header) return report.line("Header: none (no \"FILE PROCESSING COMPLETE\" line first)");
    const CutListHeader& header = *list->header;
    report.print("Header: %lld frames counted at %.10g frames per second (FRAMES AT %d)",
                 static_cast<long long>(header.frameCount), header.frameRate, header.ratePer100Seconds);
}

void reportChoice(const ProbeReport& report, const FrameRateChoice& choice) {
    using Origin = FrameRateChoice::Origin;
    if (choice.origin == Origin::None) {
        return report.print("Rate used: none, so the cut list cannot be converted: %s", choice.why.c_str());
    }
    report.print("Rate used: %.10g frames per second, the %s's: %s", choice.frameRate,
                 choice.origin == Origin::Video ? "video" : "cut list", choice.why.c_str());
}

// A video that is missing or cannot be read leaves the report without its
// part; false then.
bool reportUninspected(const fs::path& input, const VideoRate& rate) {
    using Outcome = VideoRate::Outcome;
    if (rate.outcome != Outcome::Missing && rate.outcome != Outcome::Unreadable) return true;
    reportFailure("inspect", input, videoFailure(rate.outcome));
    return false;
}

bool inspectCutList(const fs::path& cutList, RateSource rateFrom, const std::vector<fs::path>& videoDirs,
                    const ProbeReport& report) {
    std::cout << "Cut list \"" << native_file_string(cutList) << "\"\n";
    const std::optional<CutListText> list = readCutList(cutList);
    reportHeader(report, list);
    const fs::path video = findCompanionVideo(cutList, videoDirs);
    const VideoRate rate = video.empty() ? VideoRate::withOutcome(VideoRate::Outcome::Missing) : inspectVideo(video, report);
    reportChoice(report, chooseFrameRate(rateFrom, list, rate));
    const bool inspected = reportUninspected(cutList, rate);
    std::cout << "\n";
    return inspected;
}

}  // namespace

bool inspectInput(const fs::path& input, RateSource rateFrom, const std::vector<fs::path>& videoDirs) {
    const ProbeReport report = consoleReport();
    if (!isVideoFile(input)) return inspectCutList(input, rateFrom, videoDirs, report);
    const bool inspected = reportUninspected(input, inspectVideo(input, report));
    std::cout << "\n";
    return inspected;
}

}  // namespace cut2edl
