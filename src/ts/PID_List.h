#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace cut2edl {

// One word for each of the 8192 PIDs, all 0 at first. The words live in
// blocks of 256 PIDs, each made when one of its PIDs is first looked up, so
// that a probe clears and touches only the blocks of the PIDs it meets.
class PidTable {
public:
    static constexpr std::size_t size = 8192;

    std::uint32_t& operator[](std::size_t pid);
    std::uint32_t operator[](std::size_t pid) const;

private:
    static constexpr std::size_t blockSize = 256;
    using Block = std::array<std::uint32_t, blockSize>;
    std::array<std::unique_ptr<Block>, size / blockSize> blocks;
};

// What the transport-stream demuxer has learned about every PID while it
// reads the tables: which PIDs it wants, which carry tables, the stream type
// of each elementary stream, and which map tables are still to come.
class PID_List {
public:
    static constexpr int pid_count = PidTable::size;

    // Bits of pid_flags.
    static constexpr std::uint32_t wanted = 0x8000;
    static constexpr std::uint32_t carries_pmt = 0x4000;
    static constexpr std::uint32_t carries_psi = 0x2000;
    static constexpr std::uint32_t ac3_descriptor_first = 0x0400;
    static constexpr std::uint32_t teletext_descriptor_first = 0x0200;
    static constexpr std::uint32_t carries_pcr = 0x0100;
    static constexpr std::uint32_t stream_type_bits = 0x00FF;

    PID_List();

    // Moves `pid` from the pending map tables (its first occurrence, when it is
    // there) to the parsed ones.
    void mark_pmt_parsed(int pid);
    // Every program of a complete PAT has had its map table parsed.
    bool all_pmts_parsed() const;

    bool pat_complete = false;
    PidTable pid_flags;
    PidTable program_numbers;
    std::vector<int> parsed_pmt_pids;
    std::vector<int> pending_pmt_pids;
};

}  // namespace cut2edl
