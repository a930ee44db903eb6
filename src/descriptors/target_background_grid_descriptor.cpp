#include "descriptors/target_background_grid_descriptor.h"

namespace cut2edl {

void target_background_grid_descriptor::read_body(BoundedReader& body) {
    body.read(horizontal_size, 14);
    body.read(vertical_size, 14);
    body.read(aspect_ratio_information, 4);
}

}  // namespace cut2edl
