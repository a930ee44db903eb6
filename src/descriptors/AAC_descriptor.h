#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// AAC_descriptor (tag 0x7C): the profile and level of an MPEG-4 AAC, HE-AAC or
// HE-AAC v2 stream and, optionally, its kind of audio.
class AAC_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> profile_and_level;
    Field<std::uint8_t> AAC_type_flag;
    Field<std::uint8_t> SAOC_DE_flag;
    Field<std::uint8_t> reserved_future_use;
    Field<std::uint8_t> AAC_type;
    ByteRun additional_info;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
