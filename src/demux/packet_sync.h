#pragma once

#include <cstddef>
#include <cstdint>

namespace cut2edl {

// The packet sizes of transport streams as recorders write them: plain
// 188-byte packets, 192 with a 4-byte time stamp before each sync byte
// (Blu-ray, AVCHD), 204 with 16 Reed-Solomon bytes behind each packet (DVB
// capture cards). Packets are addressed by their sync byte, whatever the size.
inline constexpr int transportPacketSizes[] = {188, 192, 204};
inline constexpr std::uint8_t transportSyncByte = 0x47;

// How many bytes behind a candidate sync byte the check below looks at.
inline constexpr std::size_t syncCheckSpan = 15 * 188 + 1;

// Whether the 0x47 at bytes[0] begins a run of transport packets, and at
// which size; 0 when it does not. `available` bytes from the candidate on are
// at hand (more than syncCheckSpan are never looked at). A candidate is
// accepted when at most one of the 15 places 188 bytes apart behind it is
// wrong, or when it and the four packet starts behind it hold 0x47 at one of
// the packet sizes, or, where the bytes end before five packets, every packet
// start there is (at least two).
int packetSizeAt(const std::uint8_t* bytes, std::size_t available);

}  // namespace cut2edl
