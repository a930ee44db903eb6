#pragma once

#include <memory>

#include "descriptors/Descriptor.h"
#include "descriptors/descriptor_item.h"

namespace cut2edl {

// A descriptor whose whole body is a list of items; it renders no line of its
// own, only its items' lines.
template <typename Item>
class list_descriptor : public Descriptor {
public:
    std::unique_ptr<Item> first_item;

protected:
    void read_body(BoundedReader& body) override { first_item = parse_items<Item>(body, body.size()); }

    void render(const LineSink& sink, const ChildSink& children) const override {
        dump_if_present(first_item, children(sink));
    }
};

}  // namespace cut2edl
