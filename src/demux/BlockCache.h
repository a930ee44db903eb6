#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace cut2edl {

// Random access to the bytes of a file through aligned blocks, each read with
// one system call. The blocks of the file's first `retainedBytes` are kept
// once read, so that a probe may look at its packets again (the video search
// after the tables, the backward search) without reading them twice; further
// blocks pass through one buffer, so a whole-file walk holds little memory.
class BlockCache {
public:
    static constexpr std::size_t blockSize = 64 * 1024;
    static constexpr std::int64_t retainedBytes = 40 * 1024 * 1024;

    bool open(const std::string& path);
    void close();
    bool isOpen() const { return file.is_open(); }
    // A read that the file refused (not the end of the file).
    bool failed() const { return readFailed; }
    std::int64_t size() const { return fileSize; }

    // Ranges that callers ask for: a packet, or what the check of a sync byte looks at.
    static constexpr std::size_t largestRange = 4096;

    // The `count` bytes at `offset` (count at most largestRange), or nullptr
    // when the file ends before them. Valid until the next call.
    const std::uint8_t* bytes(std::int64_t offset, std::size_t count);

    // Offset of the first `value` byte in [from, to), or -1.
    std::int64_t find(std::uint8_t value, std::int64_t from, std::int64_t to);

private:
    // Left uninitialised: only bytes read from the file are ever looked at.
    struct Block {
        std::unique_ptr<std::uint8_t[]> bytes;
        std::size_t size = 0;
        const std::uint8_t* data() const { return bytes.get(); }
    };

    // The block with that index, read when needed; nullptr beyond the file.
    const Block* block(std::int64_t index);
    bool load(std::int64_t index, Block& into);

    std::ifstream file;
    std::int64_t fileSize = 0;
    bool readFailed = false;
    std::vector<Block> retained;
    Block passing;
    std::int64_t passingIndex = -1;
    // A range that crosses a block border is copied together here; left
    // uninitialised, as only bytes copied in are looked at.
    std::array<std::uint8_t, largestRange> joined;
};

}  // namespace cut2edl
