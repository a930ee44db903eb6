#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// data_stream_alignment_descriptor (tag 0x06): which syntax elements the PES
// packets of a stream are aligned to.
class data_stream_alignment_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> alignment_type;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
