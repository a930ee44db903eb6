#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// smoothing_buffer_descriptor (tag 0x10): the leak rate (in units of 400 bits
// per second) and size of the buffer that smooths a stream.
class smoothing_buffer_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> reserved_1;
    Field<std::uint32_t> sb_leak_rate;
    Field<std::uint8_t> reserved_2;
    Field<std::uint32_t> sb_size;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
