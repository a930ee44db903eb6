#pragma once

#include <cstdint>
#include <vector>

namespace cut2edl {

// The bytes of [data, data + length) without the emulation_prevention_three_byte
// of each 00 00 03 (the 03 goes, whatever follows it, also at the very end),
// so that a parser reads the raw byte sequence payload (RBSP) the encoder
// escaped. Spans that a parser takes on the result are positions in these
// unescaped bytes, not in the NAL unit.
std::vector<std::uint8_t> remove_emulation_prevention(const std::uint8_t* data, int length);

}  // namespace cut2edl
