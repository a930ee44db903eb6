#include "ts/crc32_mpeg2.h"

#include <array>

namespace cut2edl {

namespace {

constexpr std::uint32_t polynomial = 0x04C11DB7;

// The register after a byte's eight steps, for each byte that enters at the top.
constexpr std::array<std::uint32_t, 256> byteSteps = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t crc = byte << 24;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) != 0 ? (crc << 1) ^ polynomial : crc << 1;
        table[byte] = crc;
    }
    return table;
}();

}  // namespace

std::uint32_t crc32_mpeg2(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) crc = (crc << 8) ^ byteSteps[(crc >> 24) ^ data[i]];
    return crc;
}

}  // namespace cut2edl
