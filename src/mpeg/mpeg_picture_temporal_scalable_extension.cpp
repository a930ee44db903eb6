#include "mpeg/mpeg_picture_temporal_scalable_extension.h"

namespace cut2edl {

void mpeg_picture_temporal_scalable_extension::read_fields(BoundedReader& reader) {
    reader.read(reference_select_code, 2);
    reader.read(forward_temporal_reference, 10);
    reader.read(marker_bit, 1);
    reader.read(backward_temporal_reference, 10);
}

}  // namespace cut2edl
