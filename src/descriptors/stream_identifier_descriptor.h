#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// stream_identifier_descriptor (tag 0x52): the component tag by which other
// tables name this elementary stream.
class stream_identifier_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> component_tag;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
