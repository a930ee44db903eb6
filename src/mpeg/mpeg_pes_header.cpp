#include "mpeg/mpeg_pes_header.h"

#include "mpeg/value_text.h"

namespace cut2edl {

namespace {

constexpr int pts_size = 5;
constexpr int pts_dts_size = 10;
constexpr int escr_size = 6;
constexpr int es_rate_size = 3;
constexpr int dsm_trick_mode_size = 1;
constexpr int additional_copy_info_size = 1;
constexpr int pes_crc_size = 2;

constexpr std::uint8_t private_stream_1 = 0xBD;
constexpr std::uint8_t first_audio_stream = 0xC0;
constexpr std::uint8_t last_video_stream = 0xEF;

bool has_optional_header(std::uint8_t stream_id) {
    return stream_id == private_stream_1 || (stream_id >= first_audio_stream && stream_id <= last_video_stream);
}

}  // namespace

void mpeg_pes_header_extension::parse(const std::uint8_t* data, int length, int* position) {
    const int first_position = *position;
    BoundedReader reader(data, length, position);
    reader.read(marker_bits, 2);
    reader.read(PES_scrambling_control, 2);
    reader.read(PES_priority, 1);
    reader.read(data_alignment_indicator, 1);
    reader.read(copyright, 1);
    reader.read(original_or_copy, 1);
    reader.read(PTS_DTS_flags, 2);
    reader.read(ESCR_flag, 1);
    reader.read(ES_rate_flag, 1);
    reader.read(DSM_trick_mode_flag, 1);
    reader.read(additional_copy_info_flag, 1);
    reader.read(PES_CRC_flag, 1);
    reader.read(PES_extension_flag, 1);
    reader.read(PES_header_data_length, 8);
    // PTS_DTS_flags 1 is forbidden and announces nothing. With 3 the ten bytes
    // are set aside whatever the prefix inside them says.
    if (PTS_DTS_flags.value >= 2) {
        const int occupied = PTS_DTS_flags.value == 3 ? pts_dts_size : pts_size;
        pts_dts = parse_optional_part<mpeg_pes_header_pts_dts>(reader, occupied, position);
    }
    if (ESCR_flag.value) escr = parse_optional_part<mpeg_pes_header_escr>(reader, escr_size, position);
    if (ES_rate_flag.value) es_rate = parse_optional_part<mpeg_pes_header_es_rate>(reader, es_rate_size, position);
    if (DSM_trick_mode_flag.value) {
        dsm_trick_mode = parse_optional_part<mpeg_pes_header_dsm_trick_mode>(reader, dsm_trick_mode_size, position);
    }
    if (additional_copy_info_flag.value) {
        additional_copy_info = parse_optional_part<mpeg_pes_header_additional_copy_info>(
            reader, additional_copy_info_size, position);
    }
    if (PES_CRC_flag.value) pes_crc = parse_optional_part<mpeg_pes_header_pes_crc>(reader, pes_crc_size, position);
    if (PES_extension_flag.value) pes_extension = parse_optional_part<mpeg_pes_header_pes_extension>(reader, position);
    span = span_up_to(first_position, *position);
}

void mpeg_pes_header_extension::dump(const LineSink& sink) const {
    print_line(sink, "PES Scrambling Control: %d (%s)", PES_scrambling_control.value,
               scrambling_control_text(PES_scrambling_control.value).c_str());
    print_line(sink, "PES Priority: %s", PES_priority.value ? "High" : "Low");
    print_line(sink, "Data Alignment Indicator: %s", yes_no(data_alignment_indicator.value));
    print_line(sink, "Copyright: %s", yes_no(copyright.value));
    print_line(sink, "Original or Copy: %s", original_or_copy.value ? "Original" : "Copy");
    dump_if_present(pts_dts, sink);
    dump_if_present(escr, sink);
    dump_if_present(es_rate, sink);
    dump_if_present(dsm_trick_mode, sink);
    dump_if_present(additional_copy_info, sink);
    dump_if_present(pes_crc, sink);
    dump_if_present(pes_extension, sink);
}

const std::uint8_t* mpeg_pes_header::parse(const std::uint8_t* data, int length, int* position) {
    const int first_position = *position;
    BoundedReader reader(data, length, position);
    read_start_code(reader);
    reader.read(PES_packet_length, 16);
    if (has_optional_header(stream_id())) extension = parse_optional_part<mpeg_pes_header_extension>(reader, position);
    span = span_up_to(first_position, *position);
    return reader.ran_out() ? nullptr : data + reader.consumed();
}

void mpeg_pes_header::render(const LineSink& sink) const {
    print_line(sink, "Stream ID: 0x%02X (%s)", stream_id(), stream_id_text(stream_id()).c_str());
    dump_if_present(extension, sink);
}

}  // namespace cut2edl
