#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// service_descriptor (tag 0x48): a service's type and the names of the
// service and its provider. Sized by the two name lengths.
class service_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> service_type;
    Field<std::uint8_t> service_provider_name_length;
    TextCopy service_provider_name;
    Field<std::uint8_t> service_name_length;
    TextCopy service_name;
    // Both names as they came, for a reader that decodes their character tables.
    ByteRun service_provider_name_bytes;
    ByteRun service_name_bytes;

protected:
    Extent extent() const override { return Extent::content; }
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
