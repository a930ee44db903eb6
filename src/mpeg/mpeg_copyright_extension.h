#pragma once

#include <cstdint>

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// copyright_extension() (identifier 4): copyright flag, registration authority
// and the 64-bit copyright number sent in three parts.
class mpeg_copyright_extension : public mpeg_extension_base {
public:
    void dump(const LineSink& sink) const override;

    Field<std::uint8_t> copyright_flag;
    Field<std::uint8_t> copyright_identifier;
    Field<std::uint8_t> original_or_copy;
    Field<std::uint8_t> reserved;
    Field<std::uint8_t> marker_bit_1;
    Field<std::uint32_t> copyright_number_1;
    Field<std::uint8_t> marker_bit_2;
    Field<std::uint32_t> copyright_number_2;
    Field<std::uint8_t> marker_bit_3;
    Field<std::uint32_t> copyright_number_3;

protected:
    void read_fields(BoundedReader& reader) override;
};

}  // namespace cut2edl
