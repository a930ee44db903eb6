#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// target_background_grid_descriptor (tag 0x07): the grid that video windows
// are placed on. It renders no lines.
class target_background_grid_descriptor final : public Descriptor {
public:
    Field<std::uint16_t> horizontal_size;
    Field<std::uint16_t> vertical_size;
    Field<std::uint8_t> aspect_ratio_information;

protected:
    void read_body(BoundedReader& body) override;
};

}  // namespace cut2edl
