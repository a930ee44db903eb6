#include "convert/EdlWriter.h"

#include <boost/filesystem/fstream.hpp>
#include <boost/filesystem/operations.hpp>

#include "convert/PathForms.h"

namespace cut2edl {

namespace fs = boost::filesystem;

namespace {

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

void writeCuts(std::ostream& edl, const CutList& cuts, EdlAction action) {
    const int code = static_cast<int>(action);
    for (const Cut& cut : cuts) edl << cut.startSeconds << "\t" << cut.endSeconds << "\t" << code << "\r\n";
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
