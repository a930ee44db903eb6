#include "mpeg/bounded_reader.h"

#include <algorithm>

#include "mpeg/bit_cursor.h"

namespace cut2edl {

BoundedReader::BoundedReader(const std::uint8_t* data, int data_length, int* running_position)
    : bytes(data), length(data_length < 0 ? 0 : data_length), position(running_position),
      start_position(*running_position) {}

bool BoundedReader::fits(int count) const {
    const long long bits_left = static_cast<long long>(length - byte_index) * 8 - (7 - bit_index);
    return !exhausted && count >= 0 && count <= bits_left;
}

std::uint32_t BoundedReader::read_bits(int count) {
    if (!fits(count)) {
        exhausted = true;
        return 0;
    }
    const std::uint32_t value = cut2edl::read_bits(count, bytes, &byte_index, &bit_index);
    update_position();
    return value;
}

unsigned BoundedReader::read_bit() {
    if (!fits(1)) {
        exhausted = true;
        return 0;
    }
    const unsigned bit = cut2edl::read_bit(bytes, &bit_index, &byte_index);
    update_position();
    return bit;
}

std::uint32_t BoundedReader::read_ue() {
    constexpr int longest_prefix = 31;
    int leading_zero_bits = 0;
    while (!exhausted && read_bit() == 0) {
        if (++leading_zero_bits > longest_prefix) exhausted = true;
    }
    if (exhausted || leading_zero_bits == 0) return 0;
    const std::uint32_t suffix = read_bits(leading_zero_bits);
    return exhausted ? 0 : ((std::uint32_t{1} << leading_zero_bits) - 1) + suffix;
}

std::int32_t BoundedReader::read_se() {
    const std::uint32_t code_num = read_ue();
    // 1, 2, 3, 4, ... map to 1, -1, 2, -2, ...; the largest code_num, 2^32 - 2,
    // gives -(2^31 - 1), which fits.
    const auto magnitude = static_cast<std::int32_t>((code_num + 1) / 2);
    return (code_num & 1u) ? magnitude : -magnitude;
}

void BoundedReader::read(Field<std::uint64_t>& field, int count) {
    const int first = byte_index;
    const int high_bits = count > 32 ? count - 32 : 0;
    if (!fits(count)) {
        exhausted = true;
        return;
    }
    const std::uint64_t high = high_bits > 0 ? read_bits(high_bits) : 0;
    const std::uint64_t low = read_bits(count - high_bits);
    field.value = (high << (count - high_bits)) | low;
    field.span = span_of(first, last_byte_touched());
}

void BoundedReader::read_bytes(std::uint8_t* out, std::size_t count, field_span& span) {
    const int first = byte_index;
    if (count > static_cast<std::size_t>(length) || !fits(static_cast<int>(count) * 8)) {
        exhausted = true;
        return;
    }
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(read_bits(8));
    span = span_of(first, last_byte_touched());
}

BoundedReader BoundedReader::slice(int count) const {
    return BoundedReader(bytes + consumed(), exhausted ? 0 : std::clamp(count, 0, remaining()), position);
}

void BoundedReader::skip_bits(int count) {
    if (!fits(count)) {
        exhausted = true;
        return;
    }
    const long long target = static_cast<long long>(byte_index) * 8 + (7 - bit_index) + count;
    byte_index = static_cast<int>(target / 8);
    bit_index = 7 - static_cast<int>(target % 8);
    update_position();
}

void BoundedReader::skip_bytes(int count) {
    if (count < 0 || count > length) {
        exhausted = true;
        return;
    }
    skip_bits(count * 8);
}

}  // namespace cut2edl
