#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// multiplex_buffer_utilisation_descriptor (tag 0x0C): the bounds of the
// legal time window offset of a stream.
class multiplex_buffer_utilisation_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> bound_valid_flag;
    Field<std::uint16_t> LTW_offset_lower_bound;
    Field<std::uint8_t> reserved;
    Field<std::uint16_t> LTW_offset_upper_bound;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
