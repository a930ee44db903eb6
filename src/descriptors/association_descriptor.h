#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// association_descriptor (tag 0x14, association_tag of ISO/IEC 13818-6): ties
// a data carousel's association tag to this stream, with a selector by use.
class association_descriptor final : public Descriptor {
public:
    Field<std::uint16_t> association_tag;
    Field<std::uint16_t> use;
    Field<std::uint8_t> selector_byte_length;
    Field<std::uint32_t> transaction_id;
    Field<std::uint32_t> timeout;
    ByteRun selector_byte;
    ByteRun private_data_byte;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
