#pragma once

#include <cstdint>

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// picture_temporal_scalable_extension() (identifier 10): which pictures the
// enhancement layer predicts from.
class mpeg_picture_temporal_scalable_extension : public mpeg_extension_base {
public:
    Field<std::uint8_t> reference_select_code;
    Field<std::uint16_t> forward_temporal_reference;
    Field<std::uint8_t> marker_bit;
    Field<std::uint16_t> backward_temporal_reference;

protected:
    void read_fields(BoundedReader& reader) override;
};

}  // namespace cut2edl
