#pragma once

#include "descriptors/list_descriptor.h"

namespace cut2edl {

// One service of a service_list_descriptor.
class service_list_descriptor_item final : public descriptor_item<service_list_descriptor_item> {
public:
    static constexpr int fixed_size = 3;

    Field<std::uint16_t> service_id;
    Field<std::uint8_t> service_type;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// service_list_descriptor (tag 0x41): the services of a transport stream.
class service_list_descriptor final : public list_descriptor<service_list_descriptor_item> {};

}  // namespace cut2edl
