#pragma once

#include <ostream>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "convert/Chapters.h"
#include "convert/CutList.h"
#include "convert/FrameRateChoice.h"

namespace cut2edl {

// What one conversion found and did, as its JSON file tells scripts.
struct ConversionRecord {
    boost::filesystem::path cutList;
    boost::filesystem::path video;  // empty when none was looked at
    const VideoRate& videoFound;
    const FrameRateChoice& rate;
    const std::vector<FrameCut>& cuts;  // ordered and merged, as the EDL holds them
    const std::vector<Chapter>& chapters;
};

// The record as one JSON object, indented by two spaces; bytes of a path
// that are not UTF-8 are written as U+FFFD.
void writeJson(std::ostream& out, const ConversionRecord& record);

}  // namespace cut2edl
