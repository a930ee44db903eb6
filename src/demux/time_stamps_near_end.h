#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace cut2edl {

// How far back from the end of a file its last time stamps are looked for,
// block by block, and how many are enough: the latest picture is among the
// last few in decoding order.
constexpr std::int64_t endSearchBound = 4 * 1024 * 1024;
constexpr std::size_t endSearchBlock = 256 * 1024;
constexpr std::size_t endStampsWanted = 16;

// Finds the video time stamps in `bytes`: those of the units (packets, PES
// headers) that begin before `unitsEnd`; the bytes behind it let a unit
// that begins there be read whole.
using StampScan = std::function<void(std::span<const std::uint8_t> bytes, std::size_t unitsEnd,
                                     std::vector<std::int64_t>& stamps)>;

// The video time stamps near the end of the file at `path`, read backward in
// blocks that overlap by `overlap` bytes, until endStampsWanted are found or
// endSearchBound bytes have been searched; empty when the file cannot be read.
std::vector<std::int64_t> timeStampsNearEnd(const std::string& path, std::size_t overlap, const StampScan& scan);

}  // namespace cut2edl
