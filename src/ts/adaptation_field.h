#pragma once

#include <cstdint>

#include "mpeg/bounded_reader.h"
#include "mpeg/byte_copies.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"
#include "mpeg/mpeg_pes_header_parts.h"

namespace cut2edl {

// A program clock reference as the adaptation field carries it: a 33-bit base
// in 90 kHz ticks and a 9-bit extension in 27 MHz ticks.
struct clock_reference {
    field_span span = 0;
    Field<std::uint64_t> base;
    Field<std::uint8_t> reserved;
    Field<std::uint16_t> extension;

    void read(BoundedReader& reader);
};

// adaptation_field() of ISO/IEC 13818-1: the clock references, splicing
// information and private data that a transport packet carries before its
// payload. Kept for rendering only.
class adaptation_field {
public:
    // Parses the field whose adaptation_field_length byte is at `data`, with
    // `length` bytes from there to the end of the packet; nothing is read
    // beyond the field's own length. Returns where the payload begins.
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position);

    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> adaptation_field_length;
    Field<std::uint8_t> discontinuity_indicator;
    Field<std::uint8_t> random_access_indicator;
    Field<std::uint8_t> elementary_stream_priority_indicator;
    Field<std::uint8_t> PCR_flag;
    Field<std::uint8_t> OPCR_flag;
    Field<std::uint8_t> splicing_point_flag;
    Field<std::uint8_t> transport_private_data_flag;
    Field<std::uint8_t> adaptation_field_extension_flag;
    clock_reference program_clock_reference;
    clock_reference original_program_clock_reference;
    Field<std::uint8_t> splice_countdown;
    field_span private_data_span = 0;
    Field<std::uint8_t> transport_private_data_length;
    ByteRun private_data;
    field_span extension_span = 0;
    Field<std::uint8_t> adaptation_field_extension_length;
    Field<std::uint8_t> ltw_flag;
    Field<std::uint8_t> piecewise_rate_flag;
    Field<std::uint8_t> seamless_splice_flag;
    Field<std::uint8_t> extension_reserved;
    Field<std::uint8_t> ltw_valid_flag;
    Field<std::uint16_t> ltw_offset;
    Field<std::uint8_t> piecewise_rate_reserved;
    Field<std::uint32_t> piecewise_rate;
    Field<std::uint8_t> splice_type;
    pes_clock_value DTS_next_AU;

private:
    void read_flagged_parts(BoundedReader& reader);
    void read_extension(BoundedReader& reader);
    void render_extension(const LineSink& sink) const;
};

}  // namespace cut2edl
