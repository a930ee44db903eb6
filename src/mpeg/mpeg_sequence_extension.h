#pragma once

#include <cstdint>

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// sequence_extension() (identifier 1): profile and level, chroma format and the
// high bits of picture size, bit rate and VBV buffer size.
class mpeg_sequence_extension : public mpeg_extension_base {
public:
    void dump(const LineSink& sink) const override;

    Field<std::uint8_t> profile_and_level_indication;
    Field<std::uint8_t> progressive_sequence;
    Field<std::uint8_t> chroma_format;
    Field<std::uint8_t> horizontal_size_extension;
    Field<std::uint8_t> vertical_size_extension;
    Field<std::uint16_t> bit_rate_extension;
    Field<std::uint8_t> marker_bit;
    Field<std::uint8_t> vbv_buffer_size_extension;
    Field<std::uint8_t> low_delay;
    Field<std::uint8_t> frame_rate_extension_n;
    Field<std::uint8_t> frame_rate_extension_d;

protected:
    void read_fields(BoundedReader& reader) override;
};

}  // namespace cut2edl
