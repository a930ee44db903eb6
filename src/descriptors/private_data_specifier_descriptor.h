#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// private_data_specifier_descriptor (tag 0x5F): whose definitions the private
// descriptors of the loop follow. Sized by its content: 6 bytes.
class private_data_specifier_descriptor final : public Descriptor {
public:
    Field<std::uint32_t> private_data_specifier;

protected:
    Extent extent() const override { return Extent::content; }
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
