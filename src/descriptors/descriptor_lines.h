#pragma once

#include <cstdint>
#include <string>

#include "mpeg/line_sink.h"

namespace cut2edl {

// One line: `label`, then the three characters of a 24-bit language or country
// code, first byte first, as they stand.
inline void print_code_line(const LineSink& sink, const char* label, std::uint32_t code) {
    std::string line = label;
    for (const int shift : {16, 8, 0}) line += static_cast<char>((code >> shift) & 0xFF);
    sink(line);
}

// The lower-case flags of a few DVB descriptors.
inline const char* lower_yes_no(bool flag) { return flag ? "yes" : "no"; }

}  // namespace cut2edl
