#include "descriptors/Descriptor.h"

#include <algorithm>

#include "mpeg/owning_chain.h"

namespace cut2edl {

Descriptor::~Descriptor() { release_chain(next); }

void Descriptor::dump(const LineSink& sink, const ChildSink& children, const DescriptorFrame& frame) const {
    for (const Descriptor* descriptor = this; descriptor != nullptr; descriptor = descriptor->next.get()) {
        if (frame) {
            descriptor->render(frame(*descriptor, sink), same_sink);
        } else {
            descriptor->render(sink, children);
        }
    }
}

void Descriptor::render(const LineSink&, const ChildSink&) const {}

const std::uint8_t* Descriptor::parse(const std::uint8_t* data, int length, int* position) {
    const int first_position = *position;
    BoundedReader head(data, length, position);
    head.read(descriptor_tag, 8);
    head.read(descriptor_length, 8);
    const bool sized_by_length = extent() == Extent::length;
    BoundedReader body = head.slice(sized_by_length ? descriptor_length.value : length);
    read_body(body);
    span = span_up_to(first_position, *position);
    const int body_size = sized_by_length ? descriptor_length.value : body.consumed();
    const int consumed = std::min(length, head.consumed() + body_size);
    // The counter follows the true bytes, so the next descriptor's spans are
    // right even when this body held bytes that no field took.
    *position = first_position + consumed;
    return data + consumed;
}

}  // namespace cut2edl
