#pragma once

#include <memory>

#include "demux/BlockReader.h"
#include "mpeg/mpeg_sequence_header.h"

namespace cut2edl {

// The sequence header whose start code (00 00 01 B3) the reader has just
// passed, with the extension headers behind it; its frame_rate_code has no
// span when the data ends before it. The reader stands behind the bytes read.
std::shared_ptr<mpeg_sequence_header> read_sequence_header(BlockReader& reader);

}  // namespace cut2edl
