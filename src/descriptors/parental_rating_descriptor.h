#pragma once

#include "descriptors/list_descriptor.h"

namespace cut2edl {

// The minimum age that one country sets for an event.
class parental_rating_item final : public descriptor_item<parental_rating_item> {
public:
    static constexpr int fixed_size = 4;

    Field<std::uint32_t> country_code;
    Field<std::uint8_t> rating;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// parental_rating_descriptor (tag 0x55): an event's ratings by country.
class parental_rating_descriptor final : public list_descriptor<parental_rating_item> {};

}  // namespace cut2edl
