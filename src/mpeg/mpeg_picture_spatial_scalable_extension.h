#pragma once

#include <cstdint>

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// picture_spatial_scalable_extension() (identifier 9): where the lower layer's
// picture lies and how it is weighted in prediction.
class mpeg_picture_spatial_scalable_extension : public mpeg_extension_base {
public:
    Field<std::uint16_t> lower_layer_temporal_reference;
    Field<std::uint8_t> marker_bit_1;
    Field<std::uint16_t> lower_layer_horizontal_offset;
    Field<std::uint8_t> marker_bit_2;
    Field<std::uint16_t> lower_layer_vertical_offset;
    Field<std::uint8_t> spatial_temporal_weight_code_table_index;
    Field<std::uint8_t> lower_layer_progressive_frame;
    Field<std::uint8_t> lower_layer_deinterlaced_field_select;

protected:
    void read_fields(BoundedReader& reader) override;
};

}  // namespace cut2edl
