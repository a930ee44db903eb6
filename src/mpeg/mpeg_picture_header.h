#pragma once

#include "mpeg/mpeg_header.h"

namespace cut2edl {

// Placeholder: only the start code is read until the class lands.
class mpeg_picture_header : public MPEG_Header {
public:
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position) override;
};

}  // namespace cut2edl
