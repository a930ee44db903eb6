#include "nal/nal_unit.h"

#include <span>

#include "mpeg/start_code_scanner.h"

namespace cut2edl {

namespace {

constexpr int start_code_size = 3;
constexpr int PES_header_data_length_index = 8;
constexpr std::uint8_t first_video_stream = 0xE0;
constexpr std::uint8_t last_video_stream = 0xEF;
constexpr std::uint8_t forbidden_zero_bit = 0x80;

// Index of the first start code (00 00 01 and the byte behind it) at or after
// `from`, or `length` when there is none.
int find_start_code(const std::uint8_t* data, int length, int from) {
    const auto found = next_start_code(std::span<const std::uint8_t>(data, static_cast<std::size_t>(length)),
                                       static_cast<std::size_t>(from));
    return found ? static_cast<int>(*found) : length;
}

int end_of_pes_header(const std::uint8_t* data, int length, int start_code) {
    const int length_byte = start_code + PES_header_data_length_index;
    return length_byte < length ? length_byte + 1 + data[length_byte] : length;
}

// Zero bytes in front of a start code belong to it, not to the NAL unit.
int end_without_trailing_zeros(const std::uint8_t* data, int first, int end) {
    while (end > first && data[end - 1] == 0) --end;
    return end;
}

}  // namespace

NalUnit find_nal_unit(const std::uint8_t* data, int length, int from) {
    int start_code = find_start_code(data, length, from < 0 ? 0 : from);
    while (start_code < length) {
        // A start code is found only with the byte behind its prefix.
        const int header = start_code + start_code_size;
        const std::uint8_t header_byte = data[header];
        if (header_byte >= first_video_stream && header_byte <= last_video_stream) {
            start_code = find_start_code(data, length, end_of_pes_header(data, length, start_code));
            continue;
        }
        const int next = find_start_code(data, length, header);
        const int end = end_without_trailing_zeros(data, header, next);
        if ((header_byte & forbidden_zero_bit) == 0 && end > header) return {header, end - header};
        start_code = next;
    }
    return {};
}

}  // namespace cut2edl
