#pragma once

#include <cstdint>

#include "mpeg/bounded_reader.h"
#include "mpeg/field.h"

namespace cut2edl {

// The eight bytes that open a long-form section (the PAT, the PMT). Bytes 3
// and 4, the table_id_extension, are the PAT's transport_stream_id and the
// PMT's program_number.
struct PSI_section_header {
    static constexpr int size = 8;
    // The bytes that section_length does not count: table_id and the two length bytes.
    static constexpr int bytes_before_section_length_end = 3;
    static constexpr int crc_size = 4;

    Field<std::uint8_t> table_id;
    Field<std::uint8_t> section_syntax_indicator;
    Field<std::uint8_t> zero_bit;
    Field<std::uint8_t> reserved_1;
    Field<std::uint16_t> section_length;
    Field<std::uint16_t> table_id_extension;
    Field<std::uint8_t> reserved_2;
    Field<std::uint8_t> version_number;
    Field<std::uint8_t> current_next_indicator;
    Field<std::uint8_t> section_number;
    Field<std::uint8_t> last_section_number;

    void read(BoundedReader& reader);
};

// Takes the four CRC bytes at `offset` into `crc` when they and the byte
// behind them lie within the `readable` bytes at `data` and that byte is the
// stuffing value 0xFF; `first_position` is the counter at `data`.
void read_crc_before_stuffing(const std::uint8_t* data, int readable, int offset, int first_position,
                              Field<std::uint32_t>& crc);

}  // namespace cut2edl
