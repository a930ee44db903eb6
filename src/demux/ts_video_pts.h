#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ts/TSPacketHeader.h"

namespace cut2edl {

// Whether the packet came clear: no transport error, not scrambled.
bool cameClear(const TSPacketHeader& header);

// Whether the payload at `offset` of the 188-byte packet begins a PES packet
// of a video stream id.
bool startsVideoPes(const std::uint8_t* packet, int offset);

// The PTS of the video PES header that starts the payload of the 188-byte
// packet, or -1 when it starts none or the header carries no PTS.
std::int64_t videoPesPts(const std::uint8_t* packet);

// Adds to `stamps` the PTS of each clear packet of `pid` among the packets,
// `stride` bytes apart, that begin in `bytes` before `unitsEnd`; the packets
// are found by their sync bytes, wherever a block cuts them.
void videoPtsOfPackets(std::span<const std::uint8_t> bytes, std::size_t unitsEnd, int stride, int pid,
                       std::vector<std::int64_t>& stamps);

}  // namespace cut2edl
