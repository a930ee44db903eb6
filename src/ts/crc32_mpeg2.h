#pragma once

#include <cstddef>
#include <cstdint>

namespace cut2edl {

// The CRC that closes every long-form PSI section (ISO/IEC 13818-1 Annex A):
// polynomial 0x04C11DB7, all ones at first, not reflected, no final xor. Run
// over a whole section, its CRC_32 included, it gives 0 when the section came
// as it was sent.
std::uint32_t crc32_mpeg2(const std::uint8_t* data, std::size_t size);

}  // namespace cut2edl
