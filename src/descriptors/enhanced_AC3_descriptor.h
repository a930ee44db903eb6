#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// enhanced_AC-3_descriptor (tag 0x7A): marks a stream as Enhanced AC-3 audio,
// with the optional fields that its flags announce, among them the kinds of up
// to three independent substreams beside the main one.
class enhanced_AC3_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> component_type_flag;
    Field<std::uint8_t> bsid_flag;
    Field<std::uint8_t> mainid_flag;
    Field<std::uint8_t> asvc_flag;
    Field<std::uint8_t> mixinfoexists;
    Field<std::uint8_t> substream1_flag;
    Field<std::uint8_t> substream2_flag;
    Field<std::uint8_t> substream3_flag;
    Field<std::uint8_t> component_type;
    Field<std::uint8_t> bsid;
    Field<std::uint8_t> mainid;
    Field<std::uint8_t> asvc;
    Field<std::uint8_t> substream1;
    Field<std::uint8_t> substream2;
    Field<std::uint8_t> substream3;
    ByteRun additional_info;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
