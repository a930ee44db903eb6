#include "mpeg/mpeg_picture_spatial_scalable_extension.h"

namespace cut2edl {

void mpeg_picture_spatial_scalable_extension::read_fields(BoundedReader& reader) {
    reader.read(lower_layer_temporal_reference, 10);
    reader.read(marker_bit_1, 1);
    reader.read(lower_layer_horizontal_offset, 15);
    reader.read(marker_bit_2, 1);
    reader.read(lower_layer_vertical_offset, 15);
    reader.read(spatial_temporal_weight_code_table_index, 2);
    reader.read(lower_layer_progressive_frame, 1);
    reader.read(lower_layer_deinterlaced_field_select, 1);
}

}  // namespace cut2edl
