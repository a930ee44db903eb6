#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// multilingual_service_name_descriptor (tag 0x5D): the names of a service and
// its provider in further languages. The first language's entry is kept; the
// descriptor ends where its length says, whatever entries follow the first.
class multilingual_service_name_descriptor final : public Descriptor {
public:
    Field<std::uint32_t> ISO_639_language_code;
    Field<std::uint8_t> service_provider_name_length;
    TextCopy service_provider_name;
    Field<std::uint8_t> service_name_length;
    TextCopy service_name;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
