#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "asf/AsfGuid.h"

namespace cut2edl {

// Reads an ASF file through one buffer of 131072 bytes. Values are read in
// place and only the unread tail moves on a refill. A read that wants more
// bytes than the file still has consumes nothing, yields zero and leaves the
// reader failed until the next seek, so a parser never works on bytes that
// were not read from the file.
class AsfFileReader {
public:
    static constexpr std::size_t bufferSize = 0x20000;

    // Throws std::runtime_error("Unable to open file").
    explicit AsfFileReader(const std::string& path);

    // The file itself, for scans that need no ASF framing.
    std::istream& stream() { return file; }

    std::uint64_t fileSize() const { return size; }

    // Absolute file offset of the next unread byte.
    std::uint64_t position() const { return bufferOffset + readPos; }

    // True once a refill came up short: the buffer holds the file's tail.
    bool reachedEndOfFile() const { return endOfFile; }

    bool failed() const { return readFailed; }

    // True once every byte of the file has been handed out.
    bool atEnd() const { return endOfFile && buffered() == 0; }

    // Empties the buffer and fills it from `offset` (the file's end at most).
    void seek(std::uint64_t offset);

    std::uint8_t readU8();
    std::uint16_t readU16();
    std::uint32_t readU32();
    std::uint64_t readU64();
    AsfGuid readGuid();

    // The ASF two-bit length codes: 0 reads nothing and yields 0, 1 a byte,
    // 2 a 16-bit value, 3 a 32-bit value.
    std::uint32_t readByLengthType(unsigned lengthType);

    std::vector<std::uint8_t> readBytes(std::uint64_t count);
    std::u16string readUtf16(std::size_t codeUnits);

    // False (and failed) when fewer than `count` bytes are left in the file.
    bool skip(std::uint64_t count);

private:
    std::size_t buffered() const { return dataEnd - readPos; }
    bool ensure(std::size_t count);
    void refill();
    std::uint64_t readLittleEndian(std::size_t byteCount);

    std::ifstream file;
    std::uint64_t size = 0;
    std::unique_ptr<std::uint8_t[]> buffer;
    std::uint64_t bufferOffset = 0;  // file offset of buffer[0]
    std::size_t readPos = 0;
    std::size_t dataEnd = 0;
    bool endOfFile = false;
    bool readFailed = false;
};

}  // namespace cut2edl
