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

// The code bytes a search passes over without stopping: `count` of them,
// from `first` on. Passing over the slices, the bulk of a video stream's
// start codes, makes a search for the others nearly as cheap as one that
// finds nothing.
struct start_code_range {
    std::uint8_t first = 0;
    std::uint8_t count = 0;
};
inline constexpr start_code_range no_start_codes{};
inline constexpr start_code_range slice_start_codes{0x01, 0xAF};
// The codes below `code`.
constexpr start_code_range start_codes_below(std::uint8_t code) { return {0x00, code}; }

// Offset of the first whole start code (prefix and code byte) that begins at
// or after `from` and whose code byte is not in `passed_over`. A caller that
// searches block by block keeps a block's last three bytes in front of the
// next, where a start code cut by the border begins.
std::optional<std::size_t> next_start_code(std::span<const std::uint8_t> bytes, std::size_t from,
                                           start_code_range passed_over = no_start_codes);

// Offset of the last prefix that begins before `before`.
std::optional<std::size_t> previous_start_code_prefix(std::span<const std::uint8_t> bytes, std::size_t before);

}  // namespace cut2edl
