#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// conditional_access_descriptor (tag 0x09): the CA system of a scrambled
// stream and the PID of its ECM or EMM packets.
class conditional_access_descriptor final : public Descriptor {
public:
    Field<std::uint16_t> CA_system_ID;
    Field<std::uint8_t> reserved;
    Field<std::uint16_t> CA_PID;
    ByteRun private_data_byte;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
