#pragma once

#include "descriptors/list_descriptor.h"

namespace cut2edl {

// One genre of a content_descriptor, with the broadcaster's own nibbles.
class content_item final : public descriptor_item<content_item> {
public:
    static constexpr int fixed_size = 2;

    Field<std::uint8_t> content_nibble_level_1;
    Field<std::uint8_t> content_nibble_level_2;
    Field<std::uint8_t> user_nibble_1;
    Field<std::uint8_t> user_nibble_2;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// content_descriptor (tag 0x54): the genres of an event.
class content_descriptor final : public list_descriptor<content_item> {};

}  // namespace cut2edl
