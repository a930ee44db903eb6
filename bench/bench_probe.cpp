// Probes one recording at 1 MB, 100 MB and 1 GB, built by repeating a real
// recording from tests/data, and prints the bytes each probe reads and its
// best time. A probe that stays within its bounded window costs the same at
// every size. The large files go to bench/data and are reused when present.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "demux/MediaFile.h"

namespace {

struct Size {
    const char* label;
    std::uintmax_t bytes;
};

constexpr Size sizes[] = {{"1 MB", 1'000'000}, {"100 MB", 100'000'000}, {"1 GB", 1'000'000'000}};
constexpr const char* seeds[] = {"ps-25-720x576-mp2.mpg", "ps-2997-720x480-videoonly.mpeg",
                                 "asf-25-720x576-mp2.dvr-ms"};
constexpr int runs = 7;

// Bytes this process has read through system calls so far (Linux only).
std::optional<std::uint64_t> bytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") return value;
    }
    return std::nullopt;
}

// The seed repeated up to `size` bytes, written once and reused.
std::filesystem::path repeatedFile(const std::filesystem::path& seed, std::uintmax_t size) {
    const auto dir = std::filesystem::path(CUT2EDL_BENCH_DATA);
    const auto target = dir / (seed.stem().string() + "-" + std::to_string(size) + seed.extension().string());
    if (std::filesystem::exists(target) && std::filesystem::file_size(target) == size) return target;
    std::filesystem::create_directories(dir);
    std::ifstream in(seed, std::ios::binary);
    const std::vector<char> copy((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    for (std::uintmax_t written = 0; written < size;) {
        const auto part = std::min<std::uintmax_t>(copy.size(), size - written);
        out.write(copy.data(), static_cast<std::streamsize>(part));
        written += part;
    }
    return target;
}

struct Measurement {
    double bestMicroseconds = std::numeric_limits<double>::max();
    std::optional<std::uint64_t> bytesPerProbe;
    double frameRate = -1.0;
};

Measurement measure(const std::filesystem::path& file) {
    Measurement result;
    for (int run = 0; run < runs; ++run) {
        const auto readBefore = bytesRead();
        const auto started = std::chrono::steady_clock::now();
        const cut2edl::MediaFile media(file.string());
        const auto elapsed = std::chrono::steady_clock::now() - started;
        const auto readAfter = bytesRead();
        result.frameRate = media.frameRate;
        result.bestMicroseconds =
            std::min(result.bestMicroseconds, std::chrono::duration<double, std::micro>(elapsed).count());
        if (readBefore && readAfter) result.bytesPerProbe = *readAfter - *readBefore;
    }
    return result;
}

}  // namespace

int main() {
    std::printf("%-32s %8s %16s %14s %12s\n", "seed", "size", "bytes read", "best time us", "frame rate");
    for (const char* seed : seeds) {
        for (const auto& size : sizes) {
            const auto file = repeatedFile(std::filesystem::path(CUT2EDL_TEST_DATA) / seed, size.bytes);
            const auto result = measure(file);
            const std::string read = result.bytesPerProbe ? std::to_string(*result.bytesPerProbe) : "n/a";
            std::printf("%-32s %8s %16s %14.1f %12.6f\n", seed, size.label, read.c_str(), result.bestMicroseconds,
                        result.frameRate);
            std::fflush(stdout);
        }
    }
    return 0;
}
