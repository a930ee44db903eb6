#pragma once

#include <cstdint>

#include "mpeg/mpeg_header.h"

namespace cut2edl {

// group_of_pictures_header() of ISO/IEC 13818-2 (start code 00 00 01 B8): the
// time code of the group's first picture and its closed / broken-link flags.
class mpeg_group_of_pictures_header : public MPEG_Header {
public:
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position) override;

    // time_code bits: drop_frame_flag 24, hours 23-19, minutes 18-13,
    // marker 12, seconds 11-6, pictures 5-0.
    bool drop_frame_flag() const { return (time_code.value >> 24) & 0x01; }
    int hours() const { return static_cast<int>((time_code.value >> 19) & 0x1F); }
    int minutes() const { return static_cast<int>((time_code.value >> 13) & 0x3F); }
    int seconds() const { return static_cast<int>((time_code.value >> 6) & 0x3F); }
    int pictures() const { return static_cast<int>(time_code.value & 0x3F); }

    field_span span = 0;
    Field<std::uint32_t> time_code;
    Field<std::uint8_t> closed_gop;
    Field<std::uint8_t> broken_link;

protected:
    void render(const LineSink& sink) const override;
};

}  // namespace cut2edl
