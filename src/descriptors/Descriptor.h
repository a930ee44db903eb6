#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "mpeg/bounded_reader.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"

namespace cut2edl {

class Descriptor;

// Gives the sink for one descriptor's lines from the sink of its loop, and may
// write lines ahead of them: a report's heading that names the descriptor.
using DescriptorFrame = std::function<LineSink(const Descriptor&, const LineSink&)>;

// Base of every descriptor of a descriptor loop (a tag byte, a length byte and
// a body). The descriptors of one loop form a chain through `next`, and each
// owns the rest of the loop behind it.
class Descriptor {
public:
    Descriptor() = default;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    // Releases the rest of the loop one descriptor at a time.
    virtual ~Descriptor();

    // Renders this descriptor and then the rest of its loop; the items of list
    // descriptors go to the sink that `children` gives. With a `frame`, each
    // descriptor's lines go to the sink that it gives, and its items with them:
    // the frame sets them apart from the loop already.
    void dump(const LineSink& sink, const ChildSink& children = same_sink, const DescriptorFrame& frame = {}) const;

    // Parses the descriptor whose tag byte is at `data`, with `length` bytes
    // from there to the end of its loop; spans are taken on, and `*position`
    // moved on by, the bytes up to where the next descriptor begins. Returns
    // that place, which never lies beyond the loop.
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position);

    std::unique_ptr<Descriptor> next;
    field_span span = 0;
    Field<std::uint8_t> descriptor_tag;
    Field<std::uint8_t> descriptor_length;

protected:
    // Where the next descriptor begins: behind descriptor_length bytes of body,
    // or behind the last field that the lengths inside the body describe.
    enum class Extent { length, content };
    virtual Extent extent() const { return Extent::length; }

    // Reads the fields behind the length byte. The reader ends with the body
    // for a length-sized descriptor and with the loop for a content-sized one.
    virtual void read_body(BoundedReader& body) = 0;

    // This descriptor's own lines and those of its items.
    virtual void render(const LineSink& sink, const ChildSink& children) const;
};

}  // namespace cut2edl
