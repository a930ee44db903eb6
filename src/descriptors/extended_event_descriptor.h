#pragma once

#include <memory>

#include "descriptors/Descriptor.h"
#include "descriptors/descriptor_item.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// One item of an extended event: a description ("Director") and its text.
class extended_event_item final : public descriptor_item<extended_event_item> {
public:
    static constexpr int fixed_size = 2;

    Field<std::uint8_t> item_description_length;
    TextCopy item_description;
    Field<std::uint8_t> item_length;
    TextCopy item;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// extended_event_descriptor (tag 0x4E): one part of an event's long
// description, as items and a text. Sized by its lengths.
class extended_event_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> descriptor_number;
    Field<std::uint8_t> last_descriptor_number;
    Field<std::uint32_t> ISO_639_language_code;
    Field<std::uint8_t> length_of_items;
    std::unique_ptr<extended_event_item> first_item;
    Field<std::uint8_t> text_length;
    TextCopy text;

protected:
    Extent extent() const override { return Extent::content; }
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
