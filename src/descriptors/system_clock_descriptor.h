#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// system_clock_descriptor (tag 0x0B): the accuracy of the clock that made the
// system time stamps.
class system_clock_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> external_clock_reference_indicator;
    Field<std::uint8_t> reserved_1;
    Field<std::uint8_t> clock_accuracy_integer;
    Field<std::uint8_t> clock_accuracy_exponent;
    Field<std::uint8_t> reserved_2;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
