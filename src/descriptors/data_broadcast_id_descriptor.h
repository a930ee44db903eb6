#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// data_broadcast_id_descriptor (tag 0x66): the data broadcast specification
// that a stream follows, with its selector bytes.
class data_broadcast_id_descriptor final : public Descriptor {
public:
    Field<std::uint16_t> data_broadcast_id;
    ByteRun id_selector_byte;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
