#pragma once

#include <string_view>

#include "mpeg/line_sink.h"

namespace cut2edl::nal {

// A sink that hands each line on to `sink` two spaces in, for the parts of a
// parameter set that a heading line introduces (a copy of `sink` is kept).
inline LineSink indented(LineSink sink) {
    return [sink = std::move(sink)](std::string_view line) {
        print_line(sink, "  %.*s", static_cast<int>(line.size()), line.data());
    };
}

}  // namespace cut2edl::nal
