#pragma once

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <memory>
#include <streambuf>
#include <string>

namespace cut2edl {

// A sign of life on a long interactive batch: one line on standard error,
// "cut2edl: N/TOTAL name", rewritten in place at most ten times a second and
// cleared at the end. While it stands, anything written to standard output
// first clears it, so that no message runs on behind it.
class ProgressLine {
public:
    // Shown only where standard error is a terminal and the batch holds more than one cut list.
    static bool wanted(std::size_t batchSize);

    explicit ProgressLine(std::size_t total);
    ~ProgressLine();

    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // The `number`th input (from 1) is about to be handled.
    void show(std::size_t number, const std::string& name);
    void clear();

private:
    class ClearingBuffer;

    std::size_t total;
    std::size_t shownLength = 0;
    std::chrono::steady_clock::time_point lastDrawn{};
    std::unique_ptr<ClearingBuffer> clearing;
    std::streambuf* coutBuffer;
};

}  // namespace cut2edl
