#include "mpeg/mpeg_pes_header_optional_fields.h"

#include <cinttypes>

#include "mpeg/value_text.h"

namespace cut2edl {

namespace {

// trick_mode_control values.
constexpr std::uint8_t fast_forward = 0;
constexpr std::uint8_t slow_motion = 1;
constexpr std::uint8_t freeze_frame = 2;
constexpr std::uint8_t fast_reverse = 3;
constexpr std::uint8_t slow_reverse = 4;

constexpr int private_data_size = 16;
constexpr int sequence_counter_size = 2;
constexpr int p_std_buffer_size = 2;

void print_field_id(const LineSink& sink, const Field<std::uint8_t>& field_id) {
    print_line(sink, "Field ID: %d (%s)", field_id.value, field_id_text(field_id.value).c_str());
}

}  // namespace

void mpeg_pes_header_pts_dts::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(PTS_prefix, 4);
    PTS.read(reader);
    if (has_DTS()) {
        reader.read(DTS_prefix, 4);
        DTS.read(reader);
    }
    span = reader.whole_span();
}

void mpeg_pes_header_pts_dts::dump(const LineSink& sink) const {
    print_line(sink, "Presentation Time Stamp: %" PRIu64, PTS.value());
    if (has_DTS()) print_line(sink, "Decoding Time Stamp: %" PRIu64, DTS.value());
}

void mpeg_pes_header_escr::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(reserved, 2);
    ESCR_base.read(reader);
    reader.read(ESCR_extension, 9);
    reader.read(marker_bit, 1);
    span = reader.whole_span();
}

void mpeg_pes_header_escr::dump(const LineSink& sink) const {
    print_line(sink, "Elementary Stream Clock Reference: %" PRIu64 " x 300 + %d", ESCR_base.value(),
               ESCR_extension.value);
}

void mpeg_pes_header_es_rate::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(marker_bit_1, 1);
    reader.read(ES_rate, 22);
    reader.read(marker_bit_2, 1);
    span = reader.whole_span();
}

void mpeg_pes_header_es_rate::dump(const LineSink& sink) const {
    print_line(sink, "Elementary Stream Rate: %d x 50 bytes/sec", static_cast<int>(ES_rate.value));
}

void mpeg_pes_header_dsm_trick_mode::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(trick_mode_control, 3);
    switch (trick_mode_control.value) {
    case fast_forward:
    case fast_reverse:
        reader.read(field_id, 2);
        reader.read(intra_slice_refresh, 1);
        reader.read(frequency_truncation, 2);
        break;
    case slow_motion:
    case slow_reverse:
        reader.read(rep_cntrl, 5);
        break;
    case freeze_frame:
        reader.read(field_id, 2);
        reader.read(reserved, 3);
        break;
    default:
        reader.read(reserved, 5);
    }
    span = reader.whole_span();
}

void mpeg_pes_header_dsm_trick_mode::dump(const LineSink& sink) const {
    print_line(sink, "Mode: %s", trick_mode_text(trick_mode_control.value).c_str());
    switch (trick_mode_control.value) {
    case fast_forward:
    case fast_reverse:
        print_field_id(sink, field_id);
        print_line(sink, "Intra-slice refresh bit set: %s", yes_no(intra_slice_refresh.value));
        print_line(sink, "Frequency Truncation: %d (%s)", frequency_truncation.value,
                   frequency_truncation_text(frequency_truncation.value).c_str());
        break;
    case slow_motion:
    case slow_reverse:
        print_line(sink, "Repetition Control: %d", rep_cntrl.value);
        break;
    case freeze_frame:
        print_field_id(sink, field_id);
        break;
    default:
        break;
    }
}

void mpeg_pes_header_additional_copy_info::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(marker_bit, 1);
    reader.read(additional_copy_info, 7);
    span = reader.whole_span();
}

void mpeg_pes_header_additional_copy_info::dump(const LineSink& sink) const {
    print_line(sink, "Additional Copyright Info: 0x%X", additional_copy_info.value);
}

void mpeg_pes_header_pes_crc::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(previous_PES_packet_CRC, 16);
    span = reader.whole_span();
}

void mpeg_pes_header_pes_crc::dump(const LineSink& sink) const {
    print_line(sink, "Previous PES Packet CRC: 0x%02X", previous_PES_packet_CRC.value);
}

void mpeg_pes_header_program_packet_sequence_counter::parse(const std::uint8_t* data, int length,
                                                            int* position) {
    BoundedReader reader(data, length, position);
    reader.read(marker_bit_1, 1);
    reader.read(program_packet_sequence_counter, 7);
    reader.read(marker_bit_2, 1);
    reader.read(MPEG1_MPEG2_identifier, 1);
    reader.read(original_stuff_length, 6);
    span = reader.whole_span();
}

void mpeg_pes_header_program_packet_sequence_counter::dump(const LineSink& sink) const {
    print_line(sink, "Program Packet Sequence Counter: %d", program_packet_sequence_counter.value);
    print_line(sink, "MPEG-1 / MPEG-2 Identifier Flag: %s", MPEG1_MPEG2_identifier.value ? "MPEG-1" : "MPEG-2");
    print_line(sink, "Original Stuffing Length: %d bytes", original_stuff_length.value);
}

void mpeg_pes_header_p_std_buffer::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(fixed_bits_01, 2);
    reader.read(P_STD_buffer_scale, 1);
    reader.read(P_STD_buffer_size, 13);
    span = reader.whole_span();
}

void mpeg_pes_header_p_std_buffer::dump(const LineSink& sink) const {
    print_line(sink, "P-STD Buffer Scale: %s bytes", P_STD_buffer_scale.value ? "1024" : "128");
    print_line(sink, "P-STD Buffer Size: %d units of above", P_STD_buffer_size.value);
}

void mpeg_pes_header_pes_extension_2::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(marker_bit, 1);
    reader.read(PES_extension_field_length, 7);
    read_byte_run(reader, PES_extension_field_data, PES_extension_field_length.value);
    span = reader.whole_span();
}

void mpeg_pes_header_pes_extension_2::dump(const LineSink& sink) const {
    print_byte_list(sink, "Data:", PES_extension_field_data.value);
}

void mpeg_pes_header_pes_extension::parse(const std::uint8_t* data, int length, int* position) {
    const int first_position = *position;
    BoundedReader reader(data, length, position);
    reader.read(PES_private_data_flag, 1);
    reader.read(pack_header_field_flag, 1);
    reader.read(program_packet_sequence_counter_flag, 1);
    reader.read(P_STD_buffer_flag, 1);
    reader.read(reserved, 3);
    reader.read(PES_extension_flag_2, 1);
    if (PES_private_data_flag.value) read_byte_run(reader, PES_private_data, private_data_size);
    if (pack_header_field_flag.value) {
        reader.read(pack_field_length, 8);
        // The pack header inside is passed over undecoded.
        reader.skip_bytes(pack_field_length.value);
    }
    if (program_packet_sequence_counter_flag.value) {
        program_packet_sequence_counter = parse_optional_part<mpeg_pes_header_program_packet_sequence_counter>(
            reader, sequence_counter_size, position);
    }
    if (P_STD_buffer_flag.value) {
        P_STD_buffer = parse_optional_part<mpeg_pes_header_p_std_buffer>(reader, p_std_buffer_size, position);
    }
    if (PES_extension_flag_2.value) {
        pes_extension_2 = parse_optional_part<mpeg_pes_header_pes_extension_2>(reader, position);
    }
    span = span_up_to(first_position, *position);
}

void mpeg_pes_header_pes_extension::dump(const LineSink& sink) const {
    if (PES_private_data_flag.value) print_byte_list(sink, "PES Private Data:", PES_private_data.value);
    if (pack_header_field_flag.value) print_line(sink, "Pack Field Length: %d (not decoded)", pack_field_length.value);
    dump_if_present(program_packet_sequence_counter, sink);
    dump_if_present(P_STD_buffer, sink);
    dump_if_present(pes_extension_2, sink);
}

}  // namespace cut2edl
