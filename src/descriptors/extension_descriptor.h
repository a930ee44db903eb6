#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// extension_descriptor (tag 0x7F): the door to the DVB descriptors that the
// tag byte had no room left for; the extension tag names the descriptor, whose
// body is kept as bytes.
class extension_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> descriptor_tag_extension;
    ByteRun selector_byte;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
