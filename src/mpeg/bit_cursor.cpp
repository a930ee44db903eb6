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
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 1) | read_bit(data, bit_index, byte_index);
    return value;
}

}  // namespace cut2edl
