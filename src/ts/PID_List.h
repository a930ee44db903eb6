#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace cut2edl {

// What the transport-stream demuxer has learned about every PID while it
// reads the tables: which PIDs it wants, which carry tables, the stream type
// of each elementary stream, and which map tables are still to come.
class PID_List {
public:
    static constexpr int pid_count = 8192;

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
    std::array<std::uint32_t, pid_count> pid_flags{};
    std::array<std::uint32_t, pid_count> program_numbers{};
    std::vector<int> parsed_pmt_pids;
    std::vector<int> pending_pmt_pids;
};

}  // namespace cut2edl
