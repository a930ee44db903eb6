#pragma once

#include <memory>

#include "mpeg/bounded_reader.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"
#include "mpeg/owning_chain.h"

namespace cut2edl {

// Base of the repeated entries of list descriptors. Each item owns the items
// behind it through `next`; an item class gives its `fixed_size` (the bytes it
// needs to begin), `read` and `render`.
template <typename Item>
class descriptor_item {
public:
    descriptor_item() = default;
    descriptor_item(const descriptor_item&) = delete;
    descriptor_item& operator=(const descriptor_item&) = delete;
    ~descriptor_item() { release_chain(next); }

    // Renders this item, then the rest of the chain.
    void dump(const LineSink& sink) const {
        for (const Item* item = static_cast<const Item*>(this); item != nullptr; item = item->next.get()) {
            item->render(sink);
        }
    }

    field_span span = 0;
    std::unique_ptr<Item> next;
};

// Reads the chain of items that the next `count` bytes at the cursor hold
// (fewer where the reader ends). A rest too short for an item's fixed size is
// left unread; the cursor then stands behind all `count` bytes.
template <typename Item>
std::unique_ptr<Item> parse_items(BoundedReader& reader, int count) {
    BoundedReader list = reader.slice(count);
    std::unique_ptr<Item> first;
    ChainBuilder<Item> chain(first);
    while (!list.ran_out() && list.remaining() >= Item::fixed_size) {
        const int from = list.consumed();
        Item& item = chain.append(std::make_unique<Item>());
        item.read(list);
        item.span = list.span_of(from, list.consumed() - 1);
    }
    reader.skip_bytes(list.size());
    return first;
}

}  // namespace cut2edl
