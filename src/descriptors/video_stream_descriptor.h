#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// video_stream_descriptor (tag 0x02): the coding parameters of a video stream.
// Sized by its content: 3 bytes for MPEG-1 only streams, 5 otherwise.
class video_stream_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> multiple_frame_rate_flag;
    Field<std::uint8_t> frame_rate_code;
    Field<std::uint8_t> MPEG_1_only_flag;
    Field<std::uint8_t> constrained_parameter_flag;
    Field<std::uint8_t> still_picture_flag;
    Field<std::uint8_t> profile_and_level_indication;
    Field<std::uint8_t> chroma_format;
    Field<std::uint8_t> frame_rate_extension_flag;
    Field<std::uint8_t> reserved;

protected:
    Extent extent() const override { return Extent::content; }
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
