#include "demux/PesChunkParser.h"

#include <algorithm>
#include <cstring>

#include "mpeg/start_code_scanner.h"

namespace cut2edl {

namespace {

constexpr int programEndId = 0xB9;
constexpr int packId = 0xBA;
constexpr int lastNonPacketId = 0xB8;
constexpr std::size_t startCodeLength = 4;
constexpr std::size_t packetStartLength = 6;

enum class Step { Next, Incomplete, Stop };

struct Unit {
    Step step = Step::Next;
    std::size_t headerLength = 0;
    std::int64_t bodyLength = 0;
    Resume bodyMode = Resume::OtherBody;
};

// One chunk's parse of one stream.
class ChunkParse {
public:
    ChunkParse(DemuxState& streamState, PesPacketHandler& packetHandler)
        : state(streamState), handler(packetHandler) {}

    bool parse(std::span<const std::uint8_t> chunk);

private:
    // Parses the units that begin before `end`; `position` may end up beyond
    // the bytes, inside the data of the last packet.
    Step parseUnits(std::span<const std::uint8_t> bytes, std::size_t& position, std::size_t end);
    Unit parseUnit(std::span<const std::uint8_t> bytes);
    Unit parsePesPacket(std::span<const std::uint8_t> bytes, PesPacketHandler::Kind kind);
    bool carryOver(std::span<const std::uint8_t> bytes);

    DemuxState& state;
    PesPacketHandler& handler;
};

bool ChunkParse::parse(std::span<const std::uint8_t> chunk) {
    std::size_t position = 0;
    if (state.resumeMode == Resume::Header) {
        // The units that begin in the carried bytes are parsed where those
        // bytes are joined with the start of this chunk.
        const auto carried = static_cast<std::size_t>(state.pendingBytes);
        const std::size_t borrowed = std::min(chunk.size(), maxUnitHeaderLength);
        std::copy_n(chunk.begin(), borrowed, state.headerBuffer.begin() + static_cast<std::ptrdiff_t>(carried));
        const std::span<const std::uint8_t> joined(state.headerBuffer.data(), carried + borrowed);
        std::size_t joinedPosition = 0;
        const Step step = parseUnits(joined, joinedPosition, carried);
        if (step == Step::Stop) return false;
        if (step == Step::Incomplete) return carryOver(joined.subspan(joinedPosition));
        position = joinedPosition - carried;
    } else if (state.pendingBytes >= static_cast<std::int64_t>(chunk.size())) {
        state.pendingBytes -= static_cast<std::int64_t>(chunk.size());
        return true;
    } else {
        position = static_cast<std::size_t>(state.pendingBytes);
    }
    state.pendingBytes = 0;
    state.resumeMode = Resume::OtherBody;
    switch (parseUnits(chunk, position, chunk.size())) {
        case Step::Stop: return false;
        case Step::Incomplete: return carryOver(chunk.subspan(position));
        case Step::Next: break;
    }
    if (position > chunk.size()) {
        state.pendingBytes = static_cast<std::int64_t>(position - chunk.size());
        state.resumeMode = state.lastBodyMode;
    }
    return true;
}

Step ChunkParse::parseUnits(std::span<const std::uint8_t> bytes, std::size_t& position, std::size_t end) {
    // A unit can begin only where its whole start code lies in `bytes`; the
    // bytes between units are passed over.
    const std::size_t wholeStarts = bytes.size() < startCodeLength ? 0 : bytes.size() - startCodeLength + 1;
    const std::size_t stop = std::min(end, wholeStarts);
    while (position < end) {
        if (position >= stop) return Step::Incomplete;
        const auto found = next_start_code(bytes.first(stop + startCodeLength - 1), position);
        if (!found) {
            position = stop;
            continue;
        }
        position = *found;
        const Unit unit = parseUnit(bytes.subspan(position));
        if (unit.step != Step::Next) return unit.step;
        position += unit.headerLength + static_cast<std::size_t>(unit.bodyLength);
        state.lastBodyMode = unit.bodyMode;
    }
    return Step::Next;
}

Unit ChunkParse::parseUnit(std::span<const std::uint8_t> bytes) {
    const int id = bytes[3];
    if (id == programEndId) return {.step = Step::Stop};
    if (id == packId) {
        const auto length = packHeaderLength(bytes);
        if (!length) return {.step = Step::Incomplete};
        return {.headerLength = *length};
    }
    const auto kind = handler.kindOf(id);
    if (kind != PesPacketHandler::Kind::Other) return parsePesPacket(bytes, kind);
    if (id > lastNonPacketId) {
        const auto length = pesPacketLength(bytes);
        if (!length) return {.step = Step::Incomplete};
        return {.headerLength = packetStartLength, .bodyLength = *length};
    }
    return {.headerLength = startCodeLength};
}

Unit ChunkParse::parsePesPacket(std::span<const std::uint8_t> bytes, PesPacketHandler::Kind kind) {
    const auto header = PesPacketHeader::parse(bytes);
    if (!header) return {.step = Step::Incomplete};
    const bool isVideo = kind == PesPacketHandler::Kind::Video;
    if (isVideo) {
        handler.videoHeader(*header, state);
    } else {
        handler.audioHeader(*header, state);
    }
    return {.headerLength = header->length,
            .bodyLength = header->bodyLength(),
            .bodyMode = isVideo ? Resume::VideoBody : Resume::AudioBody};
}

bool ChunkParse::carryOver(std::span<const std::uint8_t> bytes) {
    // A unit is only ever cut short of its header, which fits the buffer.
    const std::size_t count = std::min(bytes.size(), maxUnitHeaderLength);
    std::memmove(state.headerBuffer.data(), bytes.data(), count);
    state.pendingBytes = static_cast<std::int64_t>(count);
    state.resumeMode = Resume::Header;
    return true;
}

}  // namespace

void DemuxState::restart() {
    resumeMode = Resume::OtherBody;
    pendingBytes = 0;
}

bool parsePesChunk(std::span<const std::uint8_t> chunk, DemuxState& state, PesPacketHandler& handler) {
    return ChunkParse(state, handler).parse(chunk);
}

}  // namespace cut2edl
