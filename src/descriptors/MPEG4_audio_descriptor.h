#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// MPEG-4_audio_descriptor (tag 0x1C): the profile and level of an MPEG-4
// audio stream, coded as the audio object's audioProfileLevelIndication.
class MPEG4_audio_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> MPEG_4_audio_profile_and_level;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
