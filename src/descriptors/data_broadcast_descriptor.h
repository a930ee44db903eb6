#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// data_broadcast_descriptor (tag 0x64): a data broadcast service and its
// description. Sized by its selector and text lengths.
class data_broadcast_descriptor final : public Descriptor {
public:
    Field<std::uint16_t> data_broadcast_id;
    Field<std::uint8_t> component_tag;
    Field<std::uint8_t> selector_length;
    ByteRun selector_byte;
    Field<std::uint32_t> ISO_639_language_code;
    Field<std::uint8_t> text_length;
    TextCopy text;

protected:
    Extent extent() const override { return Extent::content; }
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
