#include "convert/atomic_write.h"

#include <boost/filesystem/fstream.hpp>
#include <boost/filesystem/operations.hpp>

namespace cut2edl {

namespace fs = boost::filesystem;

namespace {

using Write = std::function<void(std::ostream&)>;

bool writeFile(fs::ofstream& file, const Write& write) {
    write(file);
    file.close();
    return !file.fail();
}

// The name ends in ".tmp", so input discovery never takes it for a cut list.
fs::path temporaryPathFor(const fs::path& path) {
    fs::path temporary = path;
    return temporary += ".tmp";
}

// The old file is replaced only by a complete new one: a failed or
// interrupted write leaves at most the temporary file behind.
bool replaceThroughTemporary(const fs::path& path, const fs::path& temporaryPath, fs::ofstream& temporary,
                             const Write& write) {
    boost::system::error_code error;
    if (writeFile(temporary, write)) {
        fs::rename(temporaryPath, path, error);
        if (!error) return true;
    }
    fs::remove(temporaryPath, error);
    return false;
}

bool writeInPlace(const fs::path& path, const Write& write) {
    fs::ofstream file(path, std::ios::binary | std::ios::trunc);
    return file.is_open() && writeFile(file, write);
}

}  // namespace

bool writeReplacing(const fs::path& path, const Write& write) {
    const fs::path temporaryPath = temporaryPathFor(path);
    fs::ofstream temporary(temporaryPath, std::ios::binary | std::ios::trunc);
    if (temporary.is_open()) return replaceThroughTemporary(path, temporaryPath, temporary, write);
    // A folder that allows no new file may still allow rewriting the file itself.
    return writeInPlace(path, write);
}

}  // namespace cut2edl
