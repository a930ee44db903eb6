#pragma once

// Test input written as bits: "1 010 011" gives 0xA6 (1010 0110); spaces
// group the syntax elements and are skipped, the last byte is filled with
// zeros.
#include <cstdint>
#include <string_view>
#include <vector>

namespace cut2edl {

inline std::vector<std::uint8_t> from_bits(std::string_view bits) {
    std::vector<std::uint8_t> bytes;
    int count = 0;
    for (const char bit : bits) {
        if (bit != '0' && bit != '1') continue;
        if (count % 8 == 0) bytes.push_back(0);
        if (bit == '1') bytes.back() |= static_cast<std::uint8_t>(0x80u >> (count % 8));
        ++count;
    }
    return bytes;
}

}  // namespace cut2edl
