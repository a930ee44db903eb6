#include "demux/ProbeReport.h"

#include <cstdarg>
#include <utility>

namespace cut2edl {

namespace {

constexpr std::string_view indentation = "  ";

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// Names and texts from a recording stand in the lines as they came; a control
// byte among them is shown as \xHH, so that none can steer the terminal.
std::string indentedBy(int depth, std::string_view text) {
    std::string line;
    line.reserve(indentation.size() * static_cast<std::size_t>(depth) + text.size());
    for (int level = 0; level < depth; ++level) line += indentation;
    for (const char c : text) {
        if (isControl(c)) {
            append_text(line, "\\x%02X", static_cast<unsigned char>(c));
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace

ProbeReport::ProbeReport(LineSink destination) : ProbeReport(std::move(destination), 0) {}

ProbeReport::ProbeReport(LineSink destination, int level) : out(std::move(destination)), depth(level) {
    if (out) lines = [sink = out, level](std::string_view text) { sink(indentedBy(level, text)); };
}

void ProbeReport::line(std::string_view text) const { lines(text); }

void ProbeReport::print(const char* format, ...) const {
    if (discards()) return;
    std::va_list args;
    va_start(args, format);
    const std::string text = vformat_text(format, args);
    va_end(args);
    line(text);
}

ProbeReport ProbeReport::forwardingNotices(NoticeSink notices) {
    ProbeReport report;
    report.forwardedNotices = std::move(notices);
    return report;
}

ProbeReport ProbeReport::nested() const { return discards() ? *this : ProbeReport(out, depth + 1); }

NoticeSink ProbeReport::notices() const {
    if (!discards()) return lines;
    if (forwardedNotices) return forwardedNotices;
    return notice_to_stdout;
}

}  // namespace cut2edl
