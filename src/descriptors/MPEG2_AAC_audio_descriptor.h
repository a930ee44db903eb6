#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// MPEG-2_AAC_audio_descriptor (tag 0x2B): the profile and channel layout of an
// MPEG-2 AAC stream, as its ADTS headers code them.
class MPEG2_AAC_audio_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> MPEG_2_AAC_profile;
    Field<std::uint8_t> MPEG_2_AAC_channel_configuration;
    Field<std::uint8_t> MPEG_2_AAC_additional_information;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
