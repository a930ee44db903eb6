#pragma once

#include "descriptors/list_descriptor.h"

namespace cut2edl {

// The channel number that a receiver offers one service under.
class logical_channel_descriptor_item final : public descriptor_item<logical_channel_descriptor_item> {
public:
    static constexpr int fixed_size = 4;

    Field<std::uint16_t> service_id;
    Field<std::uint8_t> visible_service_flag;
    Field<std::uint8_t> reserved;
    Field<std::uint16_t> logical_channel_number;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// logical_channel_descriptor (tag 0x83, a private descriptor of EACEM and
// NorDig): the channel numbers of a network's services.
class logical_channel_descriptor final : public list_descriptor<logical_channel_descriptor_item> {};

}  // namespace cut2edl
