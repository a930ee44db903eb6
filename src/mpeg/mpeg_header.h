#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/bounded_reader.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"

namespace cut2edl {

// Base of every header that a start code (00 00 01 xx) introduces. A chain of
// headers is built by create_mpeg_header, one per recognised start code of a
// buffer in buffer order, each owning the rest of the chain through `next`.
class MPEG_Header {
public:
    MPEG_Header() = default;
    MPEG_Header(const MPEG_Header&) = delete;
    MPEG_Header& operator=(const MPEG_Header&) = delete;
    // Releases the rest of the chain iteratively: chains can be thousands long.
    virtual ~MPEG_Header();

    // Parses the header whose 00 00 01 prefix is at `data`, with `length` bytes
    // available from there; spans are taken on, and `*position` advanced by,
    // the bytes it consumes. Returns where the search for the next header
    // begins, or nullptr when the buffer ends inside this header's syntax.
    virtual const std::uint8_t* parse(const std::uint8_t* data, int length, int* position) = 0;

    // Renders this header, its sub-objects and then the rest of the chain.
    void dump(const LineSink& sink) const;
    // Renders this header and its sub-objects alone.
    void dump_own(const LineSink& sink) const { render(sink); }

    // The header kind: the start code's last byte.
    std::uint8_t kind() const { return static_cast<std::uint8_t>(start_code.value & 0xFF); }

    Field<std::uint32_t> start_code;
    std::shared_ptr<MPEG_Header> next;

protected:
    // This header's own lines and those of its sub-objects, without the chain.
    virtual void render(const LineSink& sink) const;

    // Reads the four start-code bytes into `start_code` (and returns the field
    // for classes that also keep the code under its own syntax name).
    const Field<std::uint32_t>& read_start_code(BoundedReader& reader);
};

// Turns `data` into the chain of the headers it holds. Leading bytes before the
// first 00 00 01 are passed over; a start code without a class is reported as
// "MPEG Header 0x%02X not defined as yet..." through `notices` and the search
// resumes one byte on. Empty when no recognised header is found.
std::shared_ptr<MPEG_Header> create_mpeg_header(const std::uint8_t* data, int length, int* position,
                                                const NoticeSink& notices = notice_to_stdout);

}  // namespace cut2edl
