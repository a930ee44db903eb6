#pragma once

#include <cstdint>

#include "mpeg/mpeg_header.h"

namespace cut2edl {

// slice() header of ISO/IEC 13818-2 (start codes 00 00 01 01 to AF). Read at
// fixed places: the vertical position extension and priority breakpoint of
// large or data-partitioned pictures are not considered, and the picture id
// is read whether intra_slice_flag announces it or not.
class mpeg_slice_header : public MPEG_Header {
public:
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position) override;

    field_span span = 0;
    Field<std::uint8_t> quantiser_scale_code;
    Field<std::uint8_t> intra_slice_flag;
    Field<std::uint8_t> intra_slice;
    Field<std::uint8_t> slice_picture_id_enable;
    Field<std::uint8_t> slice_picture_id;

protected:
    void render(const LineSink& sink) const override;
};

}  // namespace cut2edl
