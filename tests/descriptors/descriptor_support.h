#pragma once

// What the descriptor tests share: a loop parsed from bytes with its notices
// collected, and the descriptors and lines read back from it.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "descriptors/create_descriptor.h"
#include "mpeg/chain_support.h"

namespace cut2edl {

struct Loop {
    std::unique_ptr<Descriptor> first;
    std::vector<std::string> notices;
    int position = 1;
};

inline Loop parse_loop(const Bytes& bytes) {
    Loop loop;
    loop.first = create_descriptor(bytes.data(), static_cast<int>(bytes.size()), &loop.position,
                                   [&loop](std::string_view text) { loop.notices.emplace_back(text); });
    return loop;
}

inline Lines lines_of(const Loop& loop) { return lines_of(*loop.first); }

// The `index`th descriptor of the loop, as the class it must be.
template <typename Class>
const Class& descriptor_at(const Loop& loop, int index = 0) {
    const Descriptor* descriptor = loop.first.get();
    for (int i = 0; i < index && descriptor != nullptr; ++i) descriptor = descriptor->next.get();
    if (descriptor == nullptr) throw std::runtime_error("the loop is shorter");
    return dynamic_cast<const Class&>(*descriptor);
}

// A descriptor lives only as long as its loop.
template <typename Class>
const Class& descriptor_at(const Loop&& loop, int index = 0) = delete;

inline int length_of(const Loop& loop) {
    int count = 0;
    for (const Descriptor* d = loop.first.get(); d != nullptr; d = d->next.get()) ++count;
    return count;
}

}  // namespace cut2edl
