#pragma once

#include <array>
#include <cstdint>

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// picture_coding_extension() (identifier 8): motion vector ranges, DC
// precision, picture structure, the coding flags and the optional composite
// display information.
class mpeg_picture_coding_extension : public mpeg_extension_base {
public:
    void dump(const LineSink& sink) const override;

    std::array<std::array<Field<std::uint8_t>, 2>, 2> f_code;
    Field<std::uint8_t> intra_dc_precision;
    Field<std::uint8_t> picture_structure;
    Field<std::uint8_t> top_field_first;
    Field<std::uint8_t> frame_pred_frame_dct;
    Field<std::uint8_t> concealment_motion_vectors;
    Field<std::uint8_t> q_scale_type;
    Field<std::uint8_t> intra_vlc_format;
    Field<std::uint8_t> alternate_scan;
    Field<std::uint8_t> repeat_first_field;
    Field<std::uint8_t> chroma_420_type;
    Field<std::uint8_t> progressive_frame;
    Field<std::uint8_t> composite_display_flag;
    Field<std::uint8_t> v_axis;
    Field<std::uint8_t> field_sequence;
    Field<std::uint8_t> sub_carrier;
    Field<std::uint8_t> burst_amplitude;
    Field<std::uint8_t> sub_carrier_phase;

protected:
    void read_fields(BoundedReader& reader) override;

private:
    void read_composite_display(BoundedReader& reader);
    void render_composite_display(const LineSink& sink) const;
};

}  // namespace cut2edl
