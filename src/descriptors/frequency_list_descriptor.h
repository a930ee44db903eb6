#pragma once

#include <memory>

#include "descriptors/Descriptor.h"
#include "descriptors/descriptor_item.h"

namespace cut2edl {

// One further frequency of a frequency_list_descriptor, in units of 10 Hz.
class frequency_list_descriptor_item final : public descriptor_item<frequency_list_descriptor_item> {
public:
    static constexpr int fixed_size = 4;

    Field<std::uint32_t> centre_frequency;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// frequency_list_descriptor (tag 0x62): the other frequencies a multiplex is
// broadcast on.
class frequency_list_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> reserved_future_use;
    Field<std::uint8_t> coding_type;
    std::unique_ptr<frequency_list_descriptor_item> first_item;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
