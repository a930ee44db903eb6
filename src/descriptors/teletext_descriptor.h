#pragma once

#include "descriptors/list_descriptor.h"

namespace cut2edl {

// One teletext page that a stream carries: its language, kind and number.
class teletext_descriptor_item final : public descriptor_item<teletext_descriptor_item> {
public:
    static constexpr int fixed_size = 5;

    Field<std::uint32_t> ISO_639_language_code;
    Field<std::uint8_t> teletext_type;
    Field<std::uint8_t> teletext_magazine_number;
    Field<std::uint8_t> teletext_page_number;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// teletext_descriptor (tag 0x56): the teletext pages of a stream.
class teletext_descriptor final : public list_descriptor<teletext_descriptor_item> {};

}  // namespace cut2edl
