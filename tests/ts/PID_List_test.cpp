#include <gtest/gtest.h>

#include "ts/PID_List.h"

namespace cut2edl {
namespace {

TEST(PidList, StartsWantingOnlyThePat) {
    const PID_List list;
    EXPECT_EQ(list.pid_flags[0], 0xA000u);
    int unflagged = 0;
    for (std::size_t pid = 0; pid < PID_List::pid_count; ++pid) unflagged += list.pid_flags[pid] == 0 ? 1 : 0;
    EXPECT_EQ(unflagged, PID_List::pid_count - 1);
    EXPECT_EQ(list.program_numbers[0x1FFF], 0u);
    EXPECT_FALSE(list.all_pmts_parsed());
}

TEST(PidList, TracksWhichMapTablesAreStillToCome) {
    PID_List list;
    list.pending_pmt_pids = {0x100, 0x101, 0x100};
    list.pat_complete = true;
    list.mark_pmt_parsed(0x100);
    EXPECT_EQ(list.pending_pmt_pids, (std::vector<int>{0x101, 0x100})) << "only the first occurrence goes";
    list.mark_pmt_parsed(0x200);
    EXPECT_EQ(list.parsed_pmt_pids, (std::vector<int>{0x100, 0x200}));
    EXPECT_FALSE(list.all_pmts_parsed());
    list.mark_pmt_parsed(0x101);
    list.mark_pmt_parsed(0x100);
    EXPECT_TRUE(list.all_pmts_parsed());
    list.pat_complete = false;
    EXPECT_FALSE(list.all_pmts_parsed());
}

}  // namespace
}  // namespace cut2edl
