#include "asf/AsfFileReader.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace cut2edl {

AsfFileReader::AsfFileReader(const std::string& path)
    : file(path, std::ios::binary) {
    if (!file.is_open()) throw std::runtime_error("Unable to open file");
    file.seekg(0, std::ios::end);
    size = static_cast<std::uint64_t>(std::max<std::streamoff>(file.tellg(), 0));
    file.seekg(0);
}

void AsfFileReader::seek(std::uint64_t offset) {
    bufferOffset = std::min(offset, size);
    readPos = dataEnd = 0;
    endOfFile = readFailed = false;
    file.clear();
    file.seekg(static_cast<std::streamoff>(bufferOffset));
    refill();
}

void AsfFileReader::refill() {
    // Allocated at the first read: the probe reads the file through its own
    // reader, and a buffer this large is mapped and unmapped as a whole.
    if (!buffer) buffer = std::make_unique_for_overwrite<std::uint8_t[]>(bufferSize);
    const std::size_t unread = buffered();
    std::memmove(buffer.get(), buffer.get() + readPos, unread);
    bufferOffset += readPos;
    readPos = 0;
    dataEnd = unread;
    const std::size_t wanted = bufferSize - unread;
    file.read(reinterpret_cast<char*>(buffer.get() + dataEnd), static_cast<std::streamsize>(wanted));
    const auto got = static_cast<std::size_t>(file.gcount());
    // A short read still delivers its bytes: they are the file's tail.
    dataEnd += got;
    if (got < wanted) {
        endOfFile = true;
        file.clear();
    }
}

bool AsfFileReader::ensure(std::size_t count) {
    if (readFailed) return false;
    if (buffered() < count) refill();
    readFailed = buffered() < count;
    return !readFailed;
}

std::uint64_t AsfFileReader::readLittleEndian(std::size_t byteCount) {
    if (!ensure(byteCount)) return 0;
    std::uint64_t value = 0;
    for (std::size_t i = byteCount; i-- > 0;) value = value << 8 | buffer[readPos + i];
    readPos += byteCount;
    return value;
}

std::uint8_t AsfFileReader::readU8() { return static_cast<std::uint8_t>(readLittleEndian(1)); }
std::uint16_t AsfFileReader::readU16() { return static_cast<std::uint16_t>(readLittleEndian(2)); }
std::uint32_t AsfFileReader::readU32() { return static_cast<std::uint32_t>(readLittleEndian(4)); }
std::uint64_t AsfFileReader::readU64() { return readLittleEndian(8); }

AsfGuid AsfFileReader::readGuid() {
    AsfGuid guid{};
    if (!ensure(guid.size())) return guid;
    std::memcpy(guid.data(), buffer.get() + readPos, guid.size());
    readPos += guid.size();
    return guid;
}

std::uint32_t AsfFileReader::readByLengthType(unsigned lengthType) {
    switch (lengthType & 3) {
        case 1: return readU8();
        case 2: return readU16();
        case 3: return readU32();
        default: return 0;
    }
}

std::vector<std::uint8_t> AsfFileReader::readBytes(std::uint64_t count) {
    // Grows with the bytes actually read, so a bogus length cannot make it
    // allocate more than the file holds.
    std::vector<std::uint8_t> bytes;
    while (count > 0 && ensure(1)) {
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(count, buffered()));
        bytes.insert(bytes.end(), buffer.get() + readPos, buffer.get() + readPos + take);
        readPos += take;
        count -= take;
    }
    return bytes;
}

std::u16string AsfFileReader::readUtf16(std::size_t codeUnits) {
    const std::vector<std::uint8_t> bytes = readBytes(std::uint64_t{codeUnits} * 2);
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    }
    return text;
}

bool AsfFileReader::skip(std::uint64_t count) {
    if (readFailed) return false;
    if (count <= buffered()) {
        readPos += static_cast<std::size_t>(count);
        return true;
    }
    // Compared with what is left rather than added to the position, so a
    // size near 2^64 cannot wrap.
    const std::uint64_t left = size > position() ? size - position() : 0;
    if (count > left) {
        readFailed = true;
        return false;
    }
    seek(position() + count);
    return true;
}

}  // namespace cut2edl
