#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// terrestrial_delivery_system_descriptor (tag 0x5A): the DVB-T channel that
// carries a transport stream.
class terrestrial_delivery_system_descriptor final : public Descriptor {
public:
    // In units of 10 Hz.
    Field<std::uint32_t> centre_frequency;
    Field<std::uint8_t> bandwidth;
    Field<std::uint8_t> reserved_future_use_1;
    Field<std::uint8_t> constellation;
    Field<std::uint8_t> hierarchy_information;
    Field<std::uint8_t> code_rate_HP_stream;
    Field<std::uint8_t> code_rate_LP_stream;
    Field<std::uint8_t> guard_interval;
    Field<std::uint8_t> transmission_mode;
    Field<std::uint8_t> other_frequency_flag;
    Field<std::uint32_t> reserved_future_use_2;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
