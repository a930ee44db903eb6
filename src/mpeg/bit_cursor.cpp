#include "mpeg/bit_cursor.h"

namespace cut2edl {

unsigned read_bit(const std::uint8_t* data, int* bit_index, int* byte_index) {
    const unsigned bit = (data[*byte_index] >> *bit_index) & 1u;
    if (--*bit_index < 0) {
        *bit_index = 7;
        ++*byte_index;
    }
    return bit;
}

std::uint32_t read_bits(int count, const std::uint8_t* data, int* byte_index, int* bit_index) {
    // The bits of one byte at a time: the same value as bit after bit.
    std::uint64_t value = 0;
    while (count > 0) {
        const int left_in_byte = *bit_index + 1;
        const int taken = count < left_in_byte ? count : left_in_byte;
        const unsigned bits = (data[*byte_index] >> (left_in_byte - taken)) & ((1u << taken) - 1u);
        value = (value << taken) | bits;
        count -= taken;
        *bit_index -= taken;
        if (*bit_index < 0) {
            *bit_index = 7;
            ++*byte_index;
        }
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace cut2edl
