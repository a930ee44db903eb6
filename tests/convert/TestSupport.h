#pragma once

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include <boost/filesystem/operations.hpp>

namespace cut2edl::test {

namespace fs = boost::filesystem;

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / fs::unique_path("cut2edl-test-%%%%-%%%%-%%%%")) {
        fs::create_directories(path_);
    }
    ~TempDir() {
        boost::system::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// Collects what is written to std::cout while it lives.
class CoutCapture {
public:
    CoutCapture() : saved_(std::cout.rdbuf(captured_.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(saved_); }
    CoutCapture(const CoutCapture&) = delete;
    CoutCapture& operator=(const CoutCapture&) = delete;

    std::string text() const { return captured_.str(); }

private:
    std::ostringstream captured_;
    std::streambuf* saved_;
};

inline void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream file(path.string(), std::ios::binary | std::ios::trunc);
    file << bytes;
}

inline std::string readFile(const fs::path& path) {
    std::ifstream file(path.string(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline fs::path dataFile(const std::string& name) { return fs::path(CUT2EDL_TEST_DATA) / name; }

// A writable copy of a file from tests/data (the originals are read-only).
inline fs::path copyDataFile(const std::string& name, const fs::path& target) {
    writeFile(target, readFile(dataFile(name)));
    return target;
}

}  // namespace cut2edl::test
