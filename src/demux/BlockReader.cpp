#include "demux/BlockReader.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace cut2edl {

namespace {
constexpr std::size_t blockSize = 64 * 1024;
constexpr std::size_t startCodeLength = 4;
// The bytes of a start code that can lie before a block border.
constexpr std::size_t startCodeCarry = startCodeLength - 1;
}  // namespace

BlockReader::BlockReader(std::istream& source, std::int64_t byteLimit)
    : file(source), limit(byteLimit), block(std::make_unique_for_overwrite<std::uint8_t[]>(startCodeCarry + blockSize)) {}

void BlockReader::seek(std::int64_t target) {
    if (target >= blockStart && target <= blockStart + static_cast<std::int64_t>(filled)) {
        index = static_cast<std::size_t>(target - blockStart);
        return;
    }
    blockStart = target;
    index = 0;
    filled = 0;
    streamAtBlockEnd = false;
}

bool BlockReader::refill(std::size_t keep) {
    const std::int64_t readStart = blockStart + static_cast<std::int64_t>(filled);
    std::memmove(block.get(), block.get() + filled - keep, keep);
    blockStart = readStart - static_cast<std::int64_t>(keep);
    index = 0;
    filled = keep;
    if (readStart >= limit) return false;
    const auto wanted = std::min<std::int64_t>(static_cast<std::int64_t>(blockSize), limit - readStart);
    file.clear();
    if (!streamAtBlockEnd) file.seekg(readStart);
    file.read(reinterpret_cast<char*>(block.get() + keep), wanted);
    const auto got = static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0));
    file.clear();
    filled += got;
    streamAtBlockEnd = true;
    return got > 0;
}

int BlockReader::next() {
    if (index == filled && !refill()) return -1;
    return block[index++];
}

std::size_t BlockReader::read(std::uint8_t* out, std::size_t count) {
    std::size_t copied = 0;
    while (copied < count) {
        if (index == filled && !refill()) break;
        const std::size_t part = std::min(count - copied, filled - index);
        std::memcpy(out + copied, block.get() + index, part);
        index += part;
        copied += part;
    }
    return copied;
}

std::size_t BlockReader::readFromStartCode(std::uint8_t id, std::uint8_t* out, std::size_t count) {
    const std::uint8_t startCode[startCodeLength] = {0x00, 0x00, 0x01, id};
    std::memcpy(out, startCode, startCodeLength);
    return startCodeLength + read(out + startCodeLength, count - startCodeLength);
}

int BlockReader::nextStartCode(start_code_range passedOver) {
    for (;;) {
        const auto found = next_start_code(std::span<const std::uint8_t>(block.get(), filled), index, passedOver);
        if (found) {
            const int id = block[*found + startCodeCarry];
            // An id byte of 0 may be the first zero of the next start code.
            index = *found + (id == 0 ? startCodeCarry : startCodeLength);
            return id;
        }
        if (!refill(std::min(startCodeCarry, filled - index))) {
            index = filled;  // the carried bytes are spent
            return -1;
        }
    }
}

bool BlockReader::skipTo(std::uint32_t code) {
    const auto wanted = static_cast<std::uint8_t>(code & 0xFF);
    for (int id = nextStartCode(start_codes_below(wanted)); id >= 0; id = nextStartCode(start_codes_below(wanted))) {
        if (id == wanted) return true;
    }
    return false;
}

}  // namespace cut2edl
