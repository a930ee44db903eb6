#include <gtest/gtest.h>

#include "demux/CDVB_Stream.h"
#include "ts_test_support.h"

namespace cut2edl::test {
namespace {

// Packets numbered by their PID, so that a test can tell which one it got.
TsBuilder numberedPackets(int count, int firstPid = 0x100) {
    TsBuilder builder;
    for (int i = 0; i < count; ++i) builder.packet(firstPid + i, i % 2 == 0, Bytes(184, 0xAA));
    return builder;
}

int pidOf(const std::uint8_t* packet) { return (packet[1] & 0x1F) << 8 | packet[2]; }

struct Opened {
    std::vector<std::string> notices;
    CDVB_Stream stream{[this](std::string_view text) { notices.emplace_back(text); }};
    bool ok = false;
    explicit Opened(const std::string& path) { ok = stream.open(path); }
};

TEST(CdvbStream, FindsTheFirstPacketBehindJunk) {
    const ScratchDir dir;
    Opened opened(dir.write("junk.ts", TsBuilder().raw(Bytes(300, 0x00)).raw(numberedPackets(20).build()).build()));
    ASSERT_TRUE(opened.ok);
    EXPECT_EQ(opened.stream.firstSyncOffset, 300);
    EXPECT_EQ(opened.stream.addressOf(3), 300 + 3 * 188);
    std::array<std::uint8_t, 188> packet{};
    ASSERT_TRUE(opened.stream.readPacket(3, packet.data()));
    EXPECT_EQ(pidOf(packet.data()), 0x103);
    EXPECT_TRUE(opened.notices.empty());
}

TEST(CdvbStream, GoesOnBehindTheBytesItCheckedForARejectedSyncByte) {
    Bytes junk(300, 0x00);
    junk[40] = 0x47;
    const ScratchDir dir;
    Opened opened(dir.write("stray.ts", TsBuilder().raw(junk).raw(numberedPackets(40).build()).build()));
    ASSERT_TRUE(opened.ok);
    // 40 + 15 x 188 is the last place checked; the next packet start behind it is packet 14.
    EXPECT_EQ(opened.stream.firstSyncOffset, 300 + 14 * 188);
}

TEST(CdvbStream, ReportsFilesItCannotOpenOrFindPacketsIn) {
    const ScratchDir dir;
    Opened missing(dir.path("missing.ts").string());
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.notices, std::vector<std::string>{"Failure to open stream!"});
    // Fewer than 15 packets: at least two of the checks fall beyond the end.
    Opened shortFile(dir.write("short.ts", numberedPackets(10).build()));
    EXPECT_FALSE(shortFile.ok);
    EXPECT_FALSE(shortFile.stream.isOpen());
    EXPECT_EQ(shortFile.notices, std::vector<std::string>{"Could not find start of Header - check stream!"});
    // The first sync byte lies beyond the 16 MiB that the search covers.
    Opened late(dir.writeSparse("late.ts", {}, CDVB_Stream::searchBound + 1, numberedPackets(20).build()));
    EXPECT_FALSE(late.ok);
}

TEST(CdvbStream, FindsTheSyncAgainAndAddressesThePacketsBehindIt) {
    const ScratchDir dir;
    const Bytes bytes = numberedPackets(20).raw({0x00, 0x11, 0x22, 0x33, 0x44}).raw(numberedPackets(5, 0x200).build()).build();
    Opened opened(dir.write("damaged.ts", bytes));
    ASSERT_TRUE(opened.ok);
    std::array<std::uint8_t, 188> packet{};
    // The search starts behind the 188 bytes that were read, so the first
    // packet behind the damage is passed over.
    ASSERT_TRUE(opened.stream.readPacket(20, packet.data()));
    EXPECT_EQ(pidOf(packet.data()), 0x201);
    ASSERT_TRUE(opened.stream.readPacket(23, packet.data()));
    EXPECT_EQ(pidOf(packet.data()), 0x204);
    ASSERT_TRUE(opened.stream.readPacket(19, packet.data()));
    EXPECT_EQ(pidOf(packet.data()), 0x113) << "the packets before the damage keep their addresses";
    EXPECT_FALSE(opened.stream.readPacket(24, packet.data()));
    EXPECT_TRUE(opened.stream.endOfFile());
}

TEST(CdvbStream, AddressesPacketsBeyondTwoGibibytes) {
    const ScratchDir dir;
    const std::int64_t far = std::int64_t{3} << 30;
    Opened opened(dir.writeSparse("large.ts", numberedPackets(20).build(), far + 300, numberedPackets(3, 0x300).build()));
    ASSERT_TRUE(opened.ok);
    // Packet n lies in the hole, 8 bytes before 3 GiB; the search for the sync
    // begins 188 bytes on and finds the packets at 3 GiB + 300.
    const std::int64_t n = far / 188;
    std::array<std::uint8_t, 188> packet{};
    ASSERT_TRUE(opened.stream.readPacket(n, packet.data()));
    EXPECT_EQ(pidOf(packet.data()), 0x300);
    EXPECT_EQ(opened.stream.addressOf(n + 2), far + 300 + 2 * 188);
}

TEST(CdvbStream, SearchesForPayloadStartsOfAPid) {
    const ScratchDir dir;
    TsBuilder builder = numberedPackets(16);
    builder.packet(0x42, false, Bytes(184, 0xAA)).packet(0x42, true, Bytes(184, 0xAA)).packet(0x42, false, Bytes(184, 0xAA));
    Opened opened(dir.write("pids.ts", builder.build()));
    ASSERT_TRUE(opened.ok);
    CDVB_Stream& stream = opened.stream;
    EXPECT_EQ(stream.findPayloadStartForward(0x42, 0), 17);
    EXPECT_EQ(stream.findPayloadStartForward(0x42, 18), -1) << "to the end of the file";
    EXPECT_EQ(stream.findPayloadStartForward(0x42, 0, stream.addressOf(17)), -1) << "not beyond the bound";
    EXPECT_EQ(stream.findPayloadStartBackward(18, 0x42), 17);
    EXPECT_EQ(stream.findPayloadStartBackward(16, 0x42), -1) << "stops below packet 0";
    EXPECT_EQ(stream.findPayloadStartBackward(18, 0x102), 2);
}

}  // namespace
}  // namespace cut2edl::test
