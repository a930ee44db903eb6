#include "demux/BlockReader.h"

#include <algorithm>
#include <cstring>

namespace cut2edl {

namespace {
constexpr std::size_t blockSize = 64 * 1024;
}  // namespace

BlockReader::BlockReader(std::istream& source, std::int64_t byteLimit)
    : file(source), limit(byteLimit), block(blockSize) {}

void BlockReader::seek(std::int64_t target) {
    if (target >= blockStart && target <= blockStart + static_cast<std::int64_t>(filled)) {
        index = static_cast<std::size_t>(target - blockStart);
        return;
    }
    blockStart = target;
    index = 0;
    filled = 0;
}

bool BlockReader::refill() {
    blockStart += static_cast<std::int64_t>(filled);
    index = 0;
    filled = 0;
    if (blockStart >= limit) return false;
    const auto wanted = std::min<std::int64_t>(static_cast<std::int64_t>(block.size()), limit - blockStart);
    file.clear();
    file.seekg(blockStart);
    file.read(reinterpret_cast<char*>(block.data()), wanted);
    filled = static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0));
    file.clear();
    return filled > 0;
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
        std::memcpy(out + copied, block.data() + index, part);
        index += part;
        copied += part;
    }
    return copied;
}

int BlockReader::nextStartCode() {
    int zeros = 0;
    for (int byte = next(); byte >= 0; byte = next()) {
        if (byte == 0) {
            ++zeros;
        } else if (byte == 1 && zeros >= 2) {
            const int id = next();
            // An id byte of 0 may be the first zero of the next start code.
            if (id == 0) seek(position() - 1);
            if (id >= 0) return id;
        } else {
            zeros = 0;
        }
    }
    return -1;
}

bool BlockReader::skipTo(std::uint32_t code) {
    const int wanted = static_cast<int>(code & 0xFF);
    for (int id = nextStartCode(); id >= 0; id = nextStartCode()) {
        if (id == wanted) return true;
    }
    return false;
}

}  // namespace cut2edl
