#include "ts/PSI_section_header.h"

namespace cut2edl {

namespace {

constexpr std::uint8_t stuffing_byte = 0xFF;

}  // namespace

void PSI_section_header::read(BoundedReader& reader) {
    reader.read(table_id, 8);
    reader.read(section_syntax_indicator, 1);
    reader.read(zero_bit, 1);
    reader.read(reserved_1, 2);
    reader.read(section_length, 12);
    reader.read(table_id_extension, 16);
    reader.read(reserved_2, 2);
    reader.read(version_number, 5);
    reader.read(current_next_indicator, 1);
    reader.read(section_number, 8);
    reader.read(last_section_number, 8);
}

void read_crc_before_stuffing(const std::uint8_t* data, int readable, int offset, int first_position,
                              Field<std::uint32_t>& crc) {
    const int behind = offset + PSI_section_header::crc_size;
    if (offset < 0 || behind >= readable || data[behind] != stuffing_byte) return;
    int position = first_position + offset;
    BoundedReader reader(data + offset, PSI_section_header::crc_size, &position);
    reader.read(crc, 32);
}

}  // namespace cut2edl
