#include "app/ProgressLine.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace cut2edl {

namespace {

constexpr auto redrawInterval = std::chrono::milliseconds(100);

bool errorIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) == 1;
#endif
}

}  // namespace

// Standard output's buffer, which clears the progress line before the first
// character written behind it.
class ProgressLine::ClearingBuffer : public std::streambuf {
public:
    ClearingBuffer(std::streambuf* target, ProgressLine& line) : target(target), line(line) {}

protected:
    int overflow(int c) override {
        line.clear();
        return c == traits_type::eof() ? traits_type::not_eof(c) : target->sputc(static_cast<char>(c));
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        line.clear();
        return target->sputn(text, count);
    }
    int sync() override { return target->pubsync(); }

private:
    std::streambuf* target;
    ProgressLine& line;
};

bool ProgressLine::wanted(std::size_t batchSize) { return batchSize > 1 && errorIsTerminal(); }

ProgressLine::ProgressLine(std::size_t batchTotal)
    : total(batchTotal), clearing(std::make_unique<ClearingBuffer>(std::cout.rdbuf(), *this)),
      coutBuffer(std::cout.rdbuf(clearing.get())) {}

ProgressLine::~ProgressLine() {
    clear();
    std::cout.rdbuf(coutBuffer);
}

void ProgressLine::show(std::size_t number, const std::string& name) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDrawn < redrawInterval) return;
    lastDrawn = now;
    std::cout.flush();  // what stands before the line reaches the terminal first
    const std::string text = "cut2edl: " + std::to_string(number) + "/" + std::to_string(total) + " " + name;
    // Spaces cover what is left of a longer line before it.
    const std::string cover(shownLength > text.size() ? shownLength - text.size() : 0, ' ');
    std::fprintf(stderr, "\r%s%s", text.c_str(), cover.c_str());
    std::fflush(stderr);
    shownLength = text.size();
}

void ProgressLine::clear() {
    if (shownLength == 0) return;
    std::fprintf(stderr, "\r%s\r", std::string(shownLength, ' ').c_str());
    std::fflush(stderr);
    shownLength = 0;
}

}  // namespace cut2edl
