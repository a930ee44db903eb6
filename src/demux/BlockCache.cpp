#include "demux/BlockCache.h"

#include <algorithm>
#include <cstring>

namespace cut2edl {

namespace {

constexpr std::int64_t block_bytes = static_cast<std::int64_t>(BlockCache::blockSize);

}  // namespace

bool BlockCache::open(const std::string& path) {
    close();
    file.open(path, std::ios::binary);
    if (!file.is_open()) return false;
    file.seekg(0, std::ios::end);
    fileSize = std::max<std::int64_t>(static_cast<std::int64_t>(file.tellg()), 0);
    file.seekg(0);
    return true;
}

void BlockCache::close() {
    file.close();
    file.clear();
    fileSize = 0;
    readFailed = false;
    retained.clear();
    passingIndex = -1;
}

bool BlockCache::load(std::int64_t index, Block& into) {
    const std::int64_t start = index * block_bytes;
    if (!into.bytes) into.bytes = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize);
    into.size = static_cast<std::size_t>(std::min(block_bytes, fileSize - start));
    file.clear();
    file.seekg(start);
    file.read(reinterpret_cast<char*>(into.bytes.get()), static_cast<std::streamsize>(into.size));
    if (file.gcount() == static_cast<std::streamsize>(into.size)) return true;
    readFailed = true;
    return false;
}

const BlockCache::Block* BlockCache::block(std::int64_t index) {
    if (!isOpen() || index < 0 || index * block_bytes >= fileSize) return nullptr;
    if (index * block_bytes < retainedBytes) {
        const auto slot = static_cast<std::size_t>(index);
        if (slot >= retained.size()) retained.resize(slot + 1);
        Block& kept = retained[slot];
        if (!kept.bytes && !load(index, kept)) {
            kept.bytes.reset();
            return nullptr;
        }
        return &kept;
    }
    if (passingIndex != index) {
        passingIndex = -1;
        if (!load(index, passing)) return nullptr;
        passingIndex = index;
    }
    return &passing;
}

const std::uint8_t* BlockCache::bytes(std::int64_t offset, std::size_t count) {
    if (offset < 0 || count > largestRange || offset + static_cast<std::int64_t>(count) > fileSize) return nullptr;
    const std::int64_t index = offset / block_bytes;
    const auto within = static_cast<std::size_t>(offset % block_bytes);
    const Block* first = block(index);
    if (first == nullptr) return nullptr;
    if (within + count <= first->size) return first->data() + within;
    const std::size_t head = first->size - within;
    std::memcpy(joined.data(), first->data() + within, head);
    const Block* second = block(index + 1);
    if (second == nullptr) return nullptr;
    std::memcpy(joined.data() + head, second->data(), count - head);
    return joined.data();
}

std::int64_t BlockCache::find(std::uint8_t value, std::int64_t from, std::int64_t to) {
    to = std::min(to, fileSize);
    for (std::int64_t offset = std::max<std::int64_t>(from, 0); offset < to;) {
        const Block* current = block(offset / block_bytes);
        if (current == nullptr) return -1;
        const auto within = static_cast<std::size_t>(offset % block_bytes);
        const std::size_t span = std::min<std::int64_t>(static_cast<std::int64_t>(current->size - within), to - offset);
        const void* hit = std::memchr(current->data() + within, value, span);
        if (hit != nullptr) return offset + (static_cast<const std::uint8_t*>(hit) - (current->data() + within));
        offset += static_cast<std::int64_t>(span);
    }
    return -1;
}

}  // namespace cut2edl
