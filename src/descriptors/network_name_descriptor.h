#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// network_name_descriptor (tag 0x40): the name of the delivering network.
class network_name_descriptor final : public Descriptor {
public:
    TextCopy network_name;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
