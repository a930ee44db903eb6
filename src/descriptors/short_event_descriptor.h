#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// short_event_descriptor (tag 0x4D): an event's name and a short text, in one
// language. Sized by the two text lengths.
class short_event_descriptor final : public Descriptor {
public:
    Field<std::uint32_t> ISO_639_language_code;
    Field<std::uint8_t> event_name_length;
    TextCopy event_name;
    Field<std::uint8_t> text_length;
    TextCopy text;

protected:
    Extent extent() const override { return Extent::content; }
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
