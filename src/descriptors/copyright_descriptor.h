#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// copyright_descriptor (tag 0x0D): the copyright registration of a work, with
// further copyright information behind it.
class copyright_descriptor final : public Descriptor {
public:
    Field<std::uint32_t> copyright_identifier;
    ByteRun additional_copyright_info;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
