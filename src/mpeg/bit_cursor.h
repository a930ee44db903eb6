#pragma once

#include <cstdint>

namespace cut2edl {

// The bit cursor for fields off fixed bit positions: a byte index and a bit
// index running from 7 (most significant) down to 0. Neither function checks
// bounds; BoundedReader guards every step before calling them.

// Returns bit `*bit_index` of byte `*byte_index`, then moves the cursor one bit on.
unsigned read_bit(const std::uint8_t* data, int* bit_index, int* byte_index);

// Reads `count` (1 to 32) bits through the same cursor, most significant first.
std::uint32_t read_bits(int count, const std::uint8_t* data, int* byte_index, int* bit_index);

}  // namespace cut2edl
