#include "demux/read_sequence_header.h"

#include <array>

namespace cut2edl {

namespace {

constexpr std::uint8_t sequenceHeaderId = 0xB3;
// The sequence header with both quantiser matrices and the extension
// headers behind it fit in this many bytes.
constexpr std::size_t sequenceHeaderBytes = 256;

}  // namespace

std::shared_ptr<mpeg_sequence_header> read_sequence_header(BlockReader& reader) {
    std::array<std::uint8_t, sequenceHeaderBytes> bytes;
    const std::size_t count = reader.readFromStartCode(sequenceHeaderId, bytes.data(), bytes.size());
    int position = 1;
    return parse_sequence_header(bytes.data(), static_cast<int>(count), &position);
}

}  // namespace cut2edl
