#include "ts/PID_List.h"

#include <algorithm>

namespace cut2edl {

namespace {

constexpr int pat_pid = 0;

}  // namespace

std::uint32_t& PidTable::operator[](std::size_t pid) {
    std::unique_ptr<Block>& block = blocks[pid / blockSize];
    if (!block) block = std::make_unique<Block>();
    return (*block)[pid % blockSize];
}

std::uint32_t PidTable::operator[](std::size_t pid) const {
    const std::unique_ptr<Block>& block = blocks[pid / blockSize];
    return block ? (*block)[pid % blockSize] : 0;
}

PID_List::PID_List() { pid_flags[pat_pid] = wanted | carries_psi; }

void PID_List::mark_pmt_parsed(int pid) {
    const auto pending = std::find(pending_pmt_pids.begin(), pending_pmt_pids.end(), pid);
    if (pending != pending_pmt_pids.end()) pending_pmt_pids.erase(pending);
    parsed_pmt_pids.push_back(pid);
}

bool PID_List::all_pmts_parsed() const { return pat_complete && pending_pmt_pids.empty(); }

}  // namespace cut2edl
