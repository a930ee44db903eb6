#pragma once

#include <cstdint>

namespace cut2edl {

// Where a parsed field lies on the running byte counter of its buffer: the low
// 16 bits hold the index of its first byte, the high 16 bits that of its last.
using field_span = std::uint32_t;

constexpr field_span make_span(int first, int last) {
    return (static_cast<std::uint32_t>(first) & 0xFFFFu) | ((static_cast<std::uint32_t>(last) & 0xFFFFu) << 16);
}

// From the first byte a parser saw to the last byte the running counter has passed.
constexpr field_span span_up_to(int first_position, int position) { return make_span(first_position, position - 1); }

constexpr int span_first(field_span span) { return static_cast<int>(span & 0xFFFFu); }
constexpr int span_last(field_span span) { return static_cast<int>(span >> 16); }

// A syntax field's value together with its span, so the two never drift apart.
template <typename T>
struct Field {
    T value{};
    field_span span = 0;
};

}  // namespace cut2edl
