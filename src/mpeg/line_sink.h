#pragma once

#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>

namespace cut2edl {

// Receives rendered text lines (no line end), one call per line. Rendering
// never writes anywhere by itself: the caller decides where lines go.
using LineSink = std::function<void(std::string_view)>;

// Gives an owner (a table, a stream entry, a list descriptor) the sink for its
// children's lines from the sink of its own, so that a report can indent each
// level under its owner without any class knowing.
using ChildSink = std::function<LineSink(const LineSink&)>;

// The default: children's lines go where their owner's go.
inline LineSink same_sink(const LineSink& sink) { return sink; }

// Children's lines two spaces in from their owner's (a copy of `sink` is
// kept): for the parts that a heading line introduces, and as a ChildSink.
LineSink indented(const LineSink& sink);

// Receives the parsers' notices (texts without a line end).
using NoticeSink = std::function<void(std::string_view)>;

// A sink that drops every line: what the batch tool passes.
void discard_line(std::string_view);

// Writes a notice to standard output, where the batch tool shows it.
void notice_to_stdout(std::string_view notice);

// printf-style formatting into a string of whatever length the text needs.
std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vformat_text(const char* format, std::va_list args) __attribute__((format(printf, 1, 0)));

// Formats one line and hands it to the sink.
void print_line(const LineSink& sink, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Appends printf-style text to a line being built (byte lists and the like).
void append_text(std::string& line, const char* format, ...) __attribute__((format(printf, 2, 3)));

inline const char* yes_no(bool flag) { return flag ? "Yes" : "No"; }

}  // namespace cut2edl
