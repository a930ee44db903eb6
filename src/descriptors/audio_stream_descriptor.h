#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// audio_stream_descriptor (tag 0x03): the coding parameters of an MPEG audio stream.
class audio_stream_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> free_format_flag;
    Field<std::uint8_t> ID;
    Field<std::uint8_t> layer;
    Field<std::uint8_t> variable_rate_audio_indicator;
    Field<std::uint8_t> reserved;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
