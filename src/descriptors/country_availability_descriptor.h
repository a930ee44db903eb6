#pragma once

#include <memory>

#include "descriptors/list_descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// One country of a country_availability_descriptor, its code kept as text.
class country_availability_descriptor_item final : public descriptor_item<country_availability_descriptor_item> {
public:
    static constexpr int fixed_size = 3;

    TextCopy country_code;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// country_availability_descriptor (tag 0x49): the countries where a service
// is, or is not, meant to be received.
class country_availability_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> country_availability_flag;
    Field<std::uint8_t> reserved_future_use;
    std::unique_ptr<country_availability_descriptor_item> first_item;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
