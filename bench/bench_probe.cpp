// Probes recordings a number of times in this process and prints, one line
// per file, the best time in microseconds, the bytes one probe reads through
// system calls and the frame rate it found. The files take turns probe by
// probe, so that a machine busier at one moment than at another weighs on all
// of them alike:
//
//     bench_probe RUNS FILE [FILE]...
//
// With RUNS 1 and one file it is what bench/run-bench counts the instructions
// and the system calls of.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "demux/MediaFile.h"

namespace {

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

struct Measurement {
    double best = std::numeric_limits<double>::max();
    std::optional<std::uint64_t> bytesPerProbe;
    double frameRate = -1.0;
};

void probe(const std::string& file, Measurement& measurement) {
    const auto readBefore = bytesRead();
    const auto started = std::chrono::steady_clock::now();
    const cut2edl::MediaFile media(file);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    const auto readAfter = bytesRead();
    measurement.frameRate = media.frameRate;
    measurement.best = std::min(measurement.best, std::chrono::duration<double, std::micro>(elapsed).count());
    if (readBefore && readAfter) measurement.bytesPerProbe = *readAfter - *readBefore;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS FILE [FILE]...\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::vector<std::string> files(argv + 2, argv + argc);
    std::vector<Measurement> measurements(files.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < files.size(); ++i) probe(files[i], measurements[i]);
    }
    for (const Measurement& measurement : measurements) {
        const std::string read = measurement.bytesPerProbe ? std::to_string(*measurement.bytesPerProbe) : "n/a";
        std::printf("%.1f %s %.6f\n", measurement.best, read.c_str(), measurement.frameRate);
    }
    return 0;
}
