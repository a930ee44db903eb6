#include "convert/EdlWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <boost/filesystem/fstream.hpp>
#include <boost/filesystem/operations.hpp>

#include "convert/PathForms.h"

namespace cut2edl {

namespace fs = boost::filesystem;

namespace {

// The slack lets a time that lies exactly halfway between two printed values
// (as far as its binary form allows) count as within 5 ms.
constexpr double greatestRounding = 0.005 + 1e-9;
constexpr int fewestDigits = 6;
constexpr int mostDigits = 17;  // every double is exact with 17

bool writeFile(fs::ofstream& edl, const CutList& cuts, EdlAction action) {
    writeCuts(edl, cuts, action);
    edl.close();
    return !edl.fail();
}

// The name ends in ".tmp", so input discovery never takes it for a cut list.
fs::path temporaryPathFor(const fs::path& edlPath) {
    fs::path temporary = edlPath;
    return temporary += ".tmp";
}

// The old EDL is replaced only by a complete new one: a failed or interrupted
// write leaves at most the temporary file behind.
bool replaceThroughTemporary(const fs::path& edlPath, const fs::path& temporaryPath, fs::ofstream& temporary,
                             const CutList& cuts, EdlAction action) {
    boost::system::error_code error;
    if (writeFile(temporary, cuts, action)) {
        fs::rename(temporaryPath, edlPath, error);
        if (!error) return true;
    }
    fs::remove(temporaryPath, error);
    return false;
}

bool writeInPlace(const fs::path& edlPath, const CutList& cuts, EdlAction action) {
    fs::ofstream edl(edlPath, std::ios::binary | std::ios::trunc);
    return edl.is_open() && writeFile(edl, cuts, action);
}

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
    const fs::path edlPath = change_extension(cutListPath, ".edl");
    const fs::path temporaryPath = temporaryPathFor(edlPath);
    fs::ofstream temporary(temporaryPath, std::ios::binary | std::ios::trunc);
    if (temporary.is_open()) return replaceThroughTemporary(edlPath, temporaryPath, temporary, cuts, action);
    // A folder that allows no new file may still allow rewriting the EDL itself.
    return writeInPlace(edlPath, cuts, action);
}

}  // namespace cut2edl
