#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// AC-3_descriptor (tag 0x6A): marks a stream as AC-3 audio, with the optional
// fields that its flags announce.
class ac3_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> component_type_flag;
    Field<std::uint8_t> bsid_flag;
    Field<std::uint8_t> mainid_flag;
    Field<std::uint8_t> asvc_flag;
    Field<std::uint8_t> reserved;
    Field<std::uint8_t> component_type;
    Field<std::uint8_t> bsid;
    Field<std::uint8_t> mainid;
    Field<std::uint8_t> asvc;
    ByteRun additional_info;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
