#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/mpeg_header.h"
#include "mpeg/mpeg_pes_header_optional_fields.h"

namespace cut2edl {

// The optional PES header: flags, PES_header_data_length and one part per
// field group the flags announce, read one after another from byte 3 on.
// PES_header_data_length is kept as read, never used to find anything.
class mpeg_pes_header_extension {
public:
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> marker_bits;
    Field<std::uint8_t> PES_scrambling_control;
    Field<std::uint8_t> PES_priority;
    Field<std::uint8_t> data_alignment_indicator;
    Field<std::uint8_t> copyright;
    Field<std::uint8_t> original_or_copy;
    Field<std::uint8_t> PTS_DTS_flags;
    Field<std::uint8_t> ESCR_flag;
    Field<std::uint8_t> ES_rate_flag;
    Field<std::uint8_t> DSM_trick_mode_flag;
    Field<std::uint8_t> additional_copy_info_flag;
    Field<std::uint8_t> PES_CRC_flag;
    Field<std::uint8_t> PES_extension_flag;
    Field<std::uint8_t> PES_header_data_length;
    std::unique_ptr<mpeg_pes_header_pts_dts> pts_dts;
    std::unique_ptr<mpeg_pes_header_escr> escr;
    std::unique_ptr<mpeg_pes_header_es_rate> es_rate;
    std::unique_ptr<mpeg_pes_header_dsm_trick_mode> dsm_trick_mode;
    std::unique_ptr<mpeg_pes_header_additional_copy_info> additional_copy_info;
    std::unique_ptr<mpeg_pes_header_pes_crc> pes_crc;
    std::unique_ptr<mpeg_pes_header_pes_extension> pes_extension;
};

// PES_packet() header of ISO/IEC 13818-1 (stream ids 0xBD to 0xEF). The search
// for the next header starts right behind the six fixed bytes, so it runs
// through the optional header and the payload.
class mpeg_pes_header : public MPEG_Header {
public:
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position) override;

    std::uint8_t stream_id() const { return kind(); }

    field_span span = 0;
    Field<std::uint16_t> PES_packet_length;
    // Only private stream 1 and the audio and video streams carry one.
    std::unique_ptr<mpeg_pes_header_extension> extension;

protected:
    void render(const LineSink& sink) const override;
};

}  // namespace cut2edl
