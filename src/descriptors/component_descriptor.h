#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// component_descriptor (tag 0x50): the kind of one component of a service
// (video format, audio mode, subtitles) and its language.
class component_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> reserved_future_use;
    Field<std::uint8_t> stream_content;
    Field<std::uint8_t> component_type;
    Field<std::uint8_t> component_tag;
    Field<std::uint32_t> ISO_639_language_code;
    TextCopy text;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
