#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/mpeg_pes_header_parts.h"

// The optional field groups of a PES packet header. Each is parsed at its own
// first byte and renders its own lines.
namespace cut2edl {

// PTS, and DTS when the prefix is '0011'.
class mpeg_pes_header_pts_dts {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;
    bool has_DTS() const { return PTS_prefix.value == 3; }

    field_span span = 0;
    Field<std::uint8_t> PTS_prefix;
    pes_clock_value PTS;
    Field<std::uint8_t> DTS_prefix;
    pes_clock_value DTS;
};

class mpeg_pes_header_escr {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> reserved;
    pes_clock_value ESCR_base;
    Field<std::uint16_t> ESCR_extension;
    Field<std::uint8_t> marker_bit;
};

class mpeg_pes_header_es_rate {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> marker_bit_1;
    Field<std::uint32_t> ES_rate;
    Field<std::uint8_t> marker_bit_2;
};

// Which of the fields behind trick_mode_control are read depends on the mode.
class mpeg_pes_header_dsm_trick_mode {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> trick_mode_control;
    Field<std::uint8_t> field_id;
    Field<std::uint8_t> intra_slice_refresh;
    Field<std::uint8_t> frequency_truncation;
    Field<std::uint8_t> rep_cntrl;
    Field<std::uint8_t> reserved;
};

class mpeg_pes_header_additional_copy_info {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> marker_bit;
    Field<std::uint8_t> additional_copy_info;
};

class mpeg_pes_header_pes_crc {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint16_t> previous_PES_packet_CRC;
};

class mpeg_pes_header_program_packet_sequence_counter {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> marker_bit_1;
    Field<std::uint8_t> program_packet_sequence_counter;
    Field<std::uint8_t> marker_bit_2;
    Field<std::uint8_t> MPEG1_MPEG2_identifier;
    Field<std::uint8_t> original_stuff_length;
};

class mpeg_pes_header_p_std_buffer {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> fixed_bits_01;
    Field<std::uint8_t> P_STD_buffer_scale;
    Field<std::uint16_t> P_STD_buffer_size;
};

class mpeg_pes_header_pes_extension_2 {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> marker_bit;
    Field<std::uint8_t> PES_extension_field_length;
    // As many of the announced bytes as the buffer holds.
    ByteRun PES_extension_field_data;
};

class mpeg_pes_header_pes_extension {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> PES_private_data_flag;
    Field<std::uint8_t> pack_header_field_flag;
    Field<std::uint8_t> program_packet_sequence_counter_flag;
    Field<std::uint8_t> P_STD_buffer_flag;
    Field<std::uint8_t> reserved;
    Field<std::uint8_t> PES_extension_flag_2;
    // Up to 16 bytes: fewer only when the buffer ends inside them.
    ByteRun PES_private_data;
    Field<std::uint8_t> pack_field_length;
    std::unique_ptr<mpeg_pes_header_program_packet_sequence_counter> program_packet_sequence_counter;
    std::unique_ptr<mpeg_pes_header_p_std_buffer> P_STD_buffer;
    std::unique_ptr<mpeg_pes_header_pes_extension_2> pes_extension_2;
};

}  // namespace cut2edl
