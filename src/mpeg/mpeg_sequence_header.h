#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/frame_rate.h"
#include "mpeg/mpeg_header.h"
#include "mpeg/mpeg_sequence_extension.h"
#include "mpeg/quantiser_matrix.h"

namespace cut2edl {

// sequence_header() of ISO/IEC 13818-2 (start code 00 00 01 B3): picture size,
// aspect ratio, frame rate code, bit rate and the optional quantiser matrices.
class mpeg_sequence_header : public MPEG_Header {
public:
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position) override;

    // The sequence extension (identifier 1) that directly follows this header
    // in its chain, read far enough for its frame rate fields; nullptr when
    // there is none (MPEG-1, or a chain cut off behind the header).
    const mpeg_sequence_extension* sequence_extension() const;
    // The scaling of the rate that the sequence extension gives, 1 / 1 without one.
    FrameRateExtension frame_rate_extension() const;

    // Frames per second of frame_rate_code scaled by the sequence extension;
    // -1.0 for a code without a rate. The NTSC rates are the rounded ones.
    double frame_rate() const { return frame_rate_of_code(frame_rate_code.value & 0x0Fu, frame_rate_extension()); }
    // The same with the exact NTSC fractions.
    double exact_frame_rate() const {
        return exact_frame_rate_of_code(frame_rate_code.value & 0x0Fu, frame_rate_extension());
    }

    field_span span = 0;
    Field<std::uint32_t> sequence_header_code;
    Field<std::uint16_t> horizontal_size_value;
    Field<std::uint16_t> vertical_size_value;
    Field<std::uint8_t> aspect_ratio_information;
    Field<std::uint8_t> frame_rate_code;
    Field<std::uint32_t> bit_rate_value;
    Field<std::uint8_t> marker_bit;
    Field<std::uint16_t> vbv_buffer_size_value;
    Field<std::uint8_t> constrained_parameters_flag;
    Field<std::uint8_t> load_intra_quantiser_matrix;
    Field<QuantiserMatrix> intra_quantiser_matrix;
    Field<std::uint8_t> load_non_intra_quantiser_matrix;
    Field<QuantiserMatrix> non_intra_quantiser_matrix;

protected:
    void render(const LineSink& sink) const override;
};

// The sequence header whose start code is at `data`, with the extension
// headers that directly follow it chained behind it; nothing else of the
// bytes is parsed, so nothing is reported about them.
std::shared_ptr<mpeg_sequence_header> parse_sequence_header(const std::uint8_t* data, int length, int* position);

}  // namespace cut2edl
