#pragma once

#include <cstdint>

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// sequence_display_extension() (identifier 2): video format, optional colour
// description and the intended display size.
class mpeg_sequence_display_extension : public mpeg_extension_base {
public:
    void dump(const LineSink& sink) const override;

    Field<std::uint8_t> video_format;
    Field<std::uint8_t> colour_description;
    Field<std::uint8_t> colour_primaries;
    Field<std::uint8_t> transfer_characteristics;
    Field<std::uint8_t> matrix_coefficients;
    Field<std::uint16_t> display_horizontal_size;
    Field<std::uint8_t> marker_bit;
    Field<std::uint16_t> display_vertical_size;

protected:
    void read_fields(BoundedReader& reader) override;
};

}  // namespace cut2edl
