#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// maximum_bitrate_descriptor (tag 0x0E): an upper bound of a stream's bit
// rate, in units of 50 bytes per second.
class maximum_bitrate_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> reserved;
    Field<std::uint32_t> maximum_bitrate;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
