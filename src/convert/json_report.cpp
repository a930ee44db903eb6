#include "convert/json_report.h"

#include <nlohmann/json.hpp>

#include "convert/PathForms.h"
#include "convert/chapter_files.h"
#include "convert/rate_fraction.h"

namespace cut2edl {

namespace {

// Keys in the order a reader meets them, not sorted.
using json = nlohmann::ordered_json;

// A picture size of 0 is one the video did not tell.
json sizeOrNull(std::int32_t pixels) { return pixels > 0 ? json(pixels) : json(nullptr); }

json videoObject(const ConversionRecord& record) {
    if (record.video.empty()) return nullptr;
    const VideoRate& video = record.videoFound;
    return {{"path", native_file_string(record.video)},
            {"width", sizeOrNull(video.width)},
            {"height", sizeOrNull(video.height)},
            {"duration", video.duration ? json(*video.duration) : json(nullptr)}};
}

json frameRateObject(const FrameRateChoice& rate) {
    const Fraction fraction = exactFraction(rate.frameRate);
    return {{"value", rate.frameRate},
            {"numerator", fraction.numerator},
            {"denominator", fraction.denominator},
            {"from", rate.origin == FrameRateChoice::Origin::Video ? "video" : "cutList"},
            {"why", rate.why}};
}

json cutsArray(const std::vector<FrameCut>& cuts, double frameRate) {
    json array = json::array();
    for (const FrameCut& cut : cuts) {
        array.push_back({{"startFrame", cut.startFrame},
                         {"endFrame", cut.endFrame},
                         {"startSeconds", cut.startFrame / frameRate},
                         {"endSeconds", cut.endFrame / frameRate}});
    }
    return array;
}

json chaptersArray(const std::vector<Chapter>& chapters) {
    json array = json::array();
    for (const Chapter& chapter : chapters) {
        array.push_back({{"title", chapterTitle(chapter)},
                         {"startSeconds", chapter.startSeconds},
                         {"endSeconds", chapter.endSeconds}});
    }
    return array;
}

}  // namespace

void writeJson(std::ostream& out, const ConversionRecord& record) {
    const json document = {
        {"cutList", native_file_string(record.cutList)},
        {"video", videoObject(record)},
        {"frameRate", frameRateObject(record.rate)},
        {"cuts", cutsArray(record.cuts, record.rate.frameRate)},
        {"chapters", chaptersArray(record.chapters)},
    };
    out << document.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
}

}  // namespace cut2edl
