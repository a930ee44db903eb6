#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "mpeg/bounded_reader.h"
#include "mpeg/byte_copies.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"
#include "mpeg/owning_chain.h"

// What the classes of the PES header family share: the three-part clock values
// and the parsing of optional parts.
namespace cut2edl {

// A 33-bit time stamp or clock reference base as the PES header transmits it:
// bits 32..30, 29..15 and 14..0, each part followed by a marker bit.
struct pes_clock_value {
    Field<std::uint8_t> bits_32_30;
    Field<std::uint8_t> marker_bit_1;
    Field<std::uint16_t> bits_29_15;
    Field<std::uint8_t> marker_bit_2;
    Field<std::uint16_t> bits_14_0;
    Field<std::uint8_t> marker_bit_3;

    void read(BoundedReader& reader);
    std::uint64_t value() const;
};

// Parses an optional part at the reader's cursor with a reader of its own on
// the running counter. Once the buffer has ended no part is made: its fields
// would be zeros or some other part's bytes.
template <typename Part>
std::unique_ptr<Part> parse_optional_part(const BoundedReader& reader, int* position) {
    if (reader.ran_out() || reader.remaining() <= 0) return nullptr;
    auto part = std::make_unique<Part>();
    part->parse(reader.data() + reader.consumed(), reader.remaining(), position);
    return part;
}

// As above, then moves the cursor, and with it the running counter, over the
// `occupied` bytes the owner sets aside for the part.
template <typename Part>
std::unique_ptr<Part> parse_optional_part(BoundedReader& reader, int occupied, int* position) {
    auto part = parse_optional_part<Part>(std::as_const(reader), position);
    reader.skip_bytes(occupied);
    return part;
}

}  // namespace cut2edl
