#pragma once

#include <string>
#include <string_view>

#include "mpeg/line_sink.h"

namespace cut2edl {

// What a probe tells about a recording while it reads it: lines at a depth,
// each level indented by two spaces. The default report discards everything
// and formats nothing, so that a conversion pays nothing for it.
class ProbeReport {
public:
    ProbeReport() = default;
    // Hands every finished line, indentation included, to `out`.
    explicit ProbeReport(LineSink out);
    // A report that discards its lines but hands the parsers' notices to `notices`.
    static ProbeReport forwardingNotices(NoticeSink notices);

    bool discards() const { return !out; }

    void line(std::string_view text) const;
    void print(const char* format, ...) const __attribute__((format(printf, 2, 3)));

    // A report whose lines stand one level deeper.
    ProbeReport nested() const;

    // The sink for a syntax class's own lines at this depth.
    const LineSink& sink() const { return lines; }

    // Where the parsers' notices go: into the report, each on its own line;
    // when the report discards, to its notice sink or else to standard output.
    NoticeSink notices() const;

private:
    ProbeReport(LineSink out, int depth);

    LineSink out;
    int depth = 0;
    LineSink lines = discard_line;
    NoticeSink forwardedNotices;
};

}  // namespace cut2edl
