#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace cut2edl {

// Searches for the 00 00 01 prefix that begins every start code, many bytes
// at a time: a run of zero bytes costs no more than any other bytes. A prefix
// counts only where all three of its bytes lie in `bytes`; prefixes may
// overlap (00 00 01 00 00 01 holds one at 0 and one at 3), and in 00 00 00 01
// the prefix begins at the second zero.

// Offset of the first whole start code (prefix and code byte) that begins at
// or after `from` and whose code byte is at least `lowest_code`: a search for
// the system codes (lowest_code 0xB9) passes over the video codes below them
// without stopping.
std::optional<std::size_t> next_start_code(std::span<const std::uint8_t> bytes, std::size_t from,
                                           std::uint8_t lowest_code = 0);

// Offset of the first prefix that begins at or after `from`; it may be the
// last three bytes, without a code byte.
std::optional<std::size_t> next_start_code_prefix(std::span<const std::uint8_t> bytes, std::size_t from);

// Offset of the last prefix that begins before `before`.
std::optional<std::size_t> previous_start_code_prefix(std::span<const std::uint8_t> bytes, std::size_t before);

}  // namespace cut2edl
