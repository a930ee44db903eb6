#pragma once

#include "descriptors/list_descriptor.h"

namespace cut2edl {

// One language of an ISO_639_language_descriptor, with the kind of audio it carries.
class ISO_639_language_descriptor_item final : public descriptor_item<ISO_639_language_descriptor_item> {
public:
    static constexpr int fixed_size = 4;

    Field<std::uint32_t> ISO_639_language_code;
    Field<std::uint8_t> audio_type;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// ISO_639_language_descriptor (tag 0x0A): the languages of a stream.
class ISO_639_language_descriptor final : public list_descriptor<ISO_639_language_descriptor_item> {};

}  // namespace cut2edl
