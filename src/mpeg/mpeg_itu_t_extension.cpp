#include "mpeg/mpeg_itu_t_extension.h"

#include <cstdint>

namespace cut2edl {

namespace {

constexpr std::uint32_t start_code_prefix = 0x000001;
constexpr std::uint32_t prefix_mask = 0xFFFFFF;
constexpr int prefix_size = 3;

// Counts the bytes in front of the first 00 00 01, or all of them when there is none.
int bytes_before_start_code_prefix(BoundedReader& lookahead) {
    std::uint32_t last_three = prefix_mask;
    int count = 0;
    while (last_three != start_code_prefix) {
        const std::uint32_t byte = lookahead.read_bits(8);
        if (lookahead.ran_out()) return count;
        last_three = ((last_three << 8) | byte) & prefix_mask;
        ++count;
    }
    return count - prefix_size;
}

}  // namespace

void mpeg_itu_t_extension::read_fields(BoundedReader& reader) {
    // The identifier's byte cannot open a prefix (its top nibble is 12), so the
    // search looks at the bytes behind it, on a counter of its own: only the
    // bytes passed over count as consumed.
    int lookahead_position = 0;
    BoundedReader lookahead(reader.data() + reader.consumed(), reader.remaining(), &lookahead_position);
    reader.skip_bytes(bytes_before_start_code_prefix(lookahead));
}

}  // namespace cut2edl
