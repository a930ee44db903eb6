#include <gtest/gtest.h>

#include "mpeg/chain_support.h"
#include "ts/TSPacketHeader.h"

namespace cut2edl {
namespace {

TSPacketHeader parsed(const Bytes& bytes) {
    TSPacketHeader header;
    int position = 1;
    header.parse(bytes.data(), static_cast<int>(bytes.size()), &position);
    return header;
}

TEST(TSPacketHeader, ReadsItsFieldsFromTheFourBytes) {
    const TSPacketHeader pat = parsed({0x47, 0x40, 0x00, 0x10});
    EXPECT_EQ(pat.sync_byte, 0x47u);
    EXPECT_EQ(pat.PID, 0u);
    EXPECT_EQ(pat.payload_unit_start_indicator, 1u);
    EXPECT_EQ(pat.adaptation_field_control, 1u);
    EXPECT_EQ(pat.continuity_counter, 0u);
    EXPECT_TRUE(pat.has_payload());
    EXPECT_FALSE(pat.has_adaptation_field());

    const TSPacketHeader null_packet = parsed({0x47, 0x1F, 0xFF, 0x3A});
    EXPECT_EQ(null_packet.PID, 0x1FFFu);
    EXPECT_EQ(null_packet.payload_unit_start_indicator, 0u);
    EXPECT_EQ(null_packet.adaptation_field_control, 3u);
    EXPECT_EQ(null_packet.continuity_counter, 10u);

    const TSPacketHeader flags = parsed({0x12, 0xA0, 0x00, 0xC0});
    EXPECT_EQ(flags.transport_error_indicator, 1u);
    EXPECT_EQ(flags.transport_priority, 1u);
    EXPECT_EQ(flags.transport_scrambling_control, 3u);
    EXPECT_EQ(flags.sync_byte, 0x12u) << "the sync byte is not checked here";
}

TEST(TSPacketHeader, AShortPacketLeavesEveryFieldZero) {
    TSPacketHeader header = parsed({0x47, 0x40, 0x00, 0x10});
    int position = 1;
    const Bytes cut = {0x47, 0x5F, 0xFF};
    EXPECT_EQ(header.parse(cut.data(), 3, &position), nullptr);
    EXPECT_EQ(header.sync_byte, 0u);
    EXPECT_EQ(header.PID, 0u);
    EXPECT_EQ(header.payload_unit_start_indicator, 0u);
}

}  // namespace
}  // namespace cut2edl
