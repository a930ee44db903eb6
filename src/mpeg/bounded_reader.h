#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "mpeg/field.h"

namespace cut2edl {

// The one way a syntax class reads its bytes: a bit cursor over [data, data +
// length) that cannot run past the end. A read that does not fit sets a sticky
// "ran out" flag, yields 0 and leaves the field untouched, so a header cut off
// by the end of its buffer keeps the fields it could read.
//
// Spans are taken on the running byte counter `*position`, which the reader
// keeps equal to its start value plus the bytes consumed so far (a byte counts
// as consumed as soon as one of its bits is read).
class BoundedReader {
public:
    BoundedReader(const std::uint8_t* data, int length, int* position);

    // Reads `count` (1 to 32) bits at the cursor, most significant first.
    std::uint32_t read_bits(int count);
    unsigned read_bit();

    // Reads `count` bits into `field` and records the span of the bytes they touch.
    template <typename T>
    void read(Field<T>& field, int count) {
        read_field(field, [this, count] { return read_bits(count); });
    }

    // Reads a 64-bit value as a high and a low part, for the 33-bit clock fields.
    void read(Field<std::uint64_t>& field, int count);

    // Reads `count` whole bytes (8 bits each from the cursor, aligned or not)
    // into `out`; the span covers all of them.
    void read_bytes(std::uint8_t* out, std::size_t count, field_span& span);

    template <std::size_t N>
    void read(Field<std::array<std::uint8_t, N>>& field) {
        read_bytes(field.value.data(), N, field.span);
    }

    // A reader over the next `count` bytes from the cursor (fewer where this
    // buffer ends) on the same running counter, for a part whose own length
    // bounds it; skip them here once it is done.
    BoundedReader slice(int count) const;

    // Exp-Golomb codes ue(v) and se(v): leading zero bits, a 1, then as many
    // bits again. A code with more than 31 leading zeros (whose value would not
    // fit in 32 bits) ends reading as the end of the buffer does.
    std::uint32_t read_ue();
    std::int32_t read_se();

    template <typename T>
    void read_ue(Field<T>& field) {
        read_field(field, [this] { return read_ue(); });
    }

    template <typename T>
    void read_se(Field<T>& field) {
        read_field(field, [this] { return read_se(); });
    }

    // Ends reading as the end of the buffer would: for a value that the syntax
    // does not allow, after which nothing behind it can be trusted.
    void stop() { exhausted = true; }

    void skip_bits(int count);
    void skip_bytes(int count);

    bool ran_out() const { return exhausted; }
    int byte_position() const { return byte_index; }
    int bit_position() const { return bit_index; }
    int size() const { return length; }
    // Bytes not yet touched by the cursor.
    int remaining() const { return length - consumed(); }
    // Bytes touched by the cursor so far.
    int consumed() const { return bit_index == 7 ? byte_index : byte_index + 1; }
    const std::uint8_t* data() const { return bytes; }

    // Span from the first byte of this reader to the last byte consumed.
    field_span whole_span() const { return span_of(0, consumed() - 1); }
    // Span from `first_byte` to the last byte consumed (that byte alone when
    // nothing was consumed since).
    field_span span_since(int first_byte) const { return span_of(first_byte, std::max(first_byte, consumed() - 1)); }
    field_span span_of(int first_byte, int last_byte) const {
        return make_span(start_position + first_byte, start_position + last_byte);
    }

private:
    // Keeps the value that `read_value` reads, with the span of the bytes it
    // touches; leaves the field as it was when the buffer ends first.
    template <typename T, typename Read>
    void read_field(Field<T>& field, Read read_value) {
        const int first = byte_index;
        const auto value = read_value();
        if (exhausted) return;
        field.value = static_cast<T>(value);
        field.span = span_of(first, last_byte_touched());
    }

    bool fits(int count) const;
    int last_byte_touched() const { return bit_index == 7 ? byte_index - 1 : byte_index; }
    void update_position() { *position = start_position + consumed(); }

    const std::uint8_t* bytes;
    int length;
    int* position;
    int start_position;
    int byte_index = 0;
    int bit_index = 7;
    bool exhausted = false;
};

}  // namespace cut2edl
