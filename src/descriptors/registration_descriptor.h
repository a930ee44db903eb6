#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// registration_descriptor (tag 0x05): the registered format of private data
// (e.g. "AC-3"), with identification bytes behind it.
class registration_descriptor final : public Descriptor {
public:
    Field<std::uint32_t> format_identifier;
    ByteRun additional_identification_info;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
