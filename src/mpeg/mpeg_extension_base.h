#pragma once

#include <cstdint>

#include "mpeg/bounded_reader.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"

namespace cut2edl {

// Base of the payloads that an extension header carries, told apart by the
// extension_start_code_identifier. A payload's syntax opens with the 4-bit
// identifier, so its span starts at the identifier's byte.
class mpeg_extension_base {
public:
    mpeg_extension_base() = default;
    mpeg_extension_base(const mpeg_extension_base&) = delete;
    mpeg_extension_base& operator=(const mpeg_extension_base&) = delete;
    virtual ~mpeg_extension_base() = default;

    // Parses the payload whose identifier fills the top four bits of data[0],
    // with `length` bytes available from there; spans are taken on, and
    // `*position` advanced by, the bytes it consumes. Returns the byte behind
    // the payload, or nullptr when the buffer ends inside it.
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position);

    // Renders the payload's lines; several payloads have none.
    virtual void dump(const LineSink& sink) const;

    field_span span = 0;

protected:
    // Reads the fields behind the identifier, the reader standing at bit 3 of byte 0.
    virtual void read_fields(BoundedReader& reader) = 0;
};

}  // namespace cut2edl
