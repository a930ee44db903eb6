#pragma once

#include "descriptors/list_descriptor.h"

namespace cut2edl {

// One application type of an application_signalling_descriptor, with the
// version of its application information table.
class application_signalling_descriptor_item final
    : public descriptor_item<application_signalling_descriptor_item> {
public:
    static constexpr int fixed_size = 3;

    Field<std::uint16_t> application_type;
    Field<std::uint8_t> reserved_future_use;
    Field<std::uint8_t> AIT_version_number;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// application_signalling_descriptor (tag 0x6F): marks a stream as carrying
// application information tables (interactive services).
class application_signalling_descriptor final : public list_descriptor<application_signalling_descriptor_item> {};

}  // namespace cut2edl
