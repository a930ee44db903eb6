#include "mpeg/line_sink.h"

#include <cstdarg>
#include <cstdio>
#include <iostream>

namespace cut2edl {

namespace {

void append_formatted(std::string& text, const char* format, std::va_list args) {
    std::va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed <= 0) return;
    const std::size_t old_size = text.size();
    text.resize(old_size + static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(text.data() + old_size, static_cast<std::size_t>(needed) + 1, format, args);
    text.resize(old_size + static_cast<std::size_t>(needed));
}

}  // namespace

void discard_line(std::string_view) {}

LineSink indented(const LineSink& sink) {
    return [sink](std::string_view line) { print_line(sink, "  %.*s", static_cast<int>(line.size()), line.data()); };
}

void notice_to_stdout(std::string_view notice) { std::cout << notice << std::flush; }

std::string format_text(const char* format, ...) {
    std::string text;
    std::va_list args;
    va_start(args, format);
    append_formatted(text, format, args);
    va_end(args);
    return text;
}

std::string vformat_text(const char* format, std::va_list args) {
    std::string text;
    append_formatted(text, format, args);
    return text;
}

void print_line(const LineSink& sink, const char* format, ...) {
    std::string line;
    std::va_list args;
    va_start(args, format);
    append_formatted(line, format, args);
    va_end(args);
    sink(line);
}

void append_text(std::string& line, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    append_formatted(line, format, args);
    va_end(args);
}

}  // namespace cut2edl
