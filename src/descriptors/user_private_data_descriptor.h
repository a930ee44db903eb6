#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// Any descriptor whose tag has no class of its own: its body kept as bytes.
class user_private_data_descriptor final : public Descriptor {
public:
    ByteRun data_byte;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
