#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <limits>
#include <memory>

#include "mpeg/start_code_scanner.h"

namespace cut2edl {

// Forward reader over the first `limit` bytes of a file, through one block
// buffer, so that searches cost one system call per block. Bytes at or
// beyond `limit` read as end of data: a bounded probe looks at nothing there.
// Reading on from the last block goes without a seek, so nothing else may
// move the stream while the reader is in use.
class BlockReader {
public:
    static constexpr std::int64_t unbounded = std::numeric_limits<std::int64_t>::max();

    BlockReader(std::istream& file, std::int64_t limit);

    // Moves to `position`; a position inside the buffered block costs no read.
    void seek(std::int64_t position);
    std::int64_t position() const { return blockStart + static_cast<std::int64_t>(index); }

    // The next byte, or -1 at the end of the data.
    int next();
    // Copies up to `count` bytes; fewer only at the end of the data.
    std::size_t read(std::uint8_t* out, std::size_t count);
    // Copies the start code 00 00 01 `id` that the reader has just passed and
    // the bytes behind it, `count` (at least 4) in all, so that the unit it
    // begins can be parsed whole; fewer only at the end of the data.
    std::size_t readFromStartCode(std::uint8_t id, std::uint8_t* out, std::size_t count);

    // Finds the next 00 00 01 xx with xx not in `passedOver` and returns xx,
    // leaving the reader just after it (on it when xx is 0, which may begin
    // the next start code); -1 at the end of the data. A start code across two
    // blocks is found too.
    int nextStartCode(start_code_range passedOver = no_start_codes);
    // Moves just past the next start code equal to `code` (0x000001xx).
    bool skipTo(std::uint32_t code);

private:
    // Reads the next block behind the last `keep` bytes of this one, which stay
    // in front of it; false when nothing more could be read.
    bool refill(std::size_t keep = 0);

    std::istream& file;
    std::int64_t limit;
    // Left uninitialised: only bytes read from the file are ever looked at.
    std::unique_ptr<std::uint8_t[]> block;
    std::int64_t blockStart = 0;
    std::size_t index = 0;
    std::size_t filled = 0;
    bool streamAtBlockEnd = false;  // the stream stands just behind the buffered bytes
};

}  // namespace cut2edl
