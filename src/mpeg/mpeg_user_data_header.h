#pragma once

#include <cstdint>

#include "mpeg/mpeg_header.h"

namespace cut2edl {

// user_data() of ISO/IEC 13818-2 (start code 00 00 01 B2). Only the start code
// is kept; the user data bytes are passed over by the search for the next header.
class mpeg_user_data_header : public MPEG_Header {
public:
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position) override;

    field_span span = 0;
};

}  // namespace cut2edl
