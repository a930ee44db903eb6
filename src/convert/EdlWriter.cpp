#include "convert/EdlWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "convert/PathForms.h"
#include "convert/atomic_write.h"

namespace cut2edl {

namespace fs = boost::filesystem;

namespace {

// The slack lets a time that lies exactly halfway between two printed values
// (as far as its binary form allows) count as within 5 ms.
constexpr double greatestRounding = 0.005 + 1e-9;
constexpr int fewestDigits = 6;
constexpr int mostDigits = 17;  // every double is exact with 17

}  // namespace

std::string secondsText(double seconds) {
    char text[32];
    // Six digits hold every time below 10,000 s to within 5 ms: no need to check.
    if (!(std::abs(seconds) >= 10000.0)) {
        std::snprintf(text, sizeof text, "%.*g", fewestDigits, seconds);
        return text;
    }
    for (int digits = fewestDigits; digits <= mostDigits; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, seconds);
        if (!std::isfinite(seconds) || std::abs(std::strtod(text, nullptr) - seconds) <= greatestRounding) break;
    }
    return text;
}

void writeCuts(std::ostream& edl, const CutList& cuts, EdlAction action) {
    const int code = static_cast<int>(action);
    for (const Cut& cut : cuts) {
        edl << secondsText(cut.startSeconds) << "\t" << secondsText(cut.endSeconds) << "\t" << code << "\r\n";
    }
}

bool writeEdl(const fs::path& cutListPath, const CutList& cuts, EdlAction action) {
    return writeReplacing(change_extension(cutListPath, ".edl"),
                          [&](std::ostream& edl) { writeCuts(edl, cuts, action); });
}

}  // namespace cut2edl
