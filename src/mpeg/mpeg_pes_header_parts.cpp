#include "mpeg/mpeg_pes_header_parts.h"

namespace cut2edl {

void pes_clock_value::read(BoundedReader& reader) {
    reader.read(bits_32_30, 3);
    reader.read(marker_bit_1, 1);
    reader.read(bits_29_15, 15);
    reader.read(marker_bit_2, 1);
    reader.read(bits_14_0, 15);
    reader.read(marker_bit_3, 1);
}

std::uint64_t pes_clock_value::value() const {
    return std::uint64_t{bits_32_30.value} << 30 | std::uint64_t{bits_29_15.value} << 15 | bits_14_0.value;
}

}  // namespace cut2edl
