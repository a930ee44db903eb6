#pragma once

#include "descriptors/list_descriptor.h"

namespace cut2edl {

// One subtitle service that a stream carries: its language, kind, and the
// pages that hold its own segments and those it shares with other services.
class subtitling_descriptor_item final : public descriptor_item<subtitling_descriptor_item> {
public:
    static constexpr int fixed_size = 8;

    Field<std::uint32_t> ISO_639_language_code;
    Field<std::uint8_t> subtitling_type;
    Field<std::uint16_t> composition_page_id;
    Field<std::uint16_t> ancillary_page_id;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// subtitling_descriptor (tag 0x59): the DVB subtitle services of a stream.
class subtitling_descriptor final : public list_descriptor<subtitling_descriptor_item> {};

}  // namespace cut2edl
