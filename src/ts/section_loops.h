#pragma once

#include <cstdint>
#include <memory>

#include "descriptors/Descriptor.h"
#include "mpeg/line_sink.h"
#include "mpeg/owning_chain.h"

// The loops of a long-form section: descriptor loops, and loops of entries
// (a PMT's streams, an SDT's services) that each end with one.
namespace cut2edl {

// A descriptor loop of `declared` bytes at `offset`, cut at the end of the
// `available` bytes; the counter then stands behind the bytes taken.
std::unique_ptr<Descriptor> parse_descriptor_loop(const std::uint8_t* data, int offset, int declared, int available,
                                                  int* position, const NoticeSink& notices);

// Parses the entries from `offset` to `loop_end` into the chain at `first`,
// while an entry's fixed part fits; returns the offset behind the last.
template <typename Entry>
int parse_entry_loop(const std::uint8_t* data, int offset, int loop_end, std::unique_ptr<Entry>& first,
                     int* position, const NoticeSink& notices) {
    ChainBuilder<Entry> loop(first);
    while (loop_end - offset >= Entry::fixed_size) {
        offset += loop.append(std::make_unique<Entry>()).parse(data + offset, loop_end - offset, position, notices);
    }
    return offset;
}

}  // namespace cut2edl
