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

TEST(CdvbStream, GoesOnFromTheByteBehindARejectedSyncByte) {
    Bytes junk(300, 0x00);
    junk[40] = 0x47;
    junk[228] = 0x47;
    const ScratchDir dir;
    Opened opened(dir.write("stray.ts", TsBuilder().raw(junk).raw(numberedPackets(40).build()).build()));
    ASSERT_TRUE(opened.ok);
    EXPECT_EQ(opened.stream.firstSyncOffset, 300) << "no packet is stepped over";
    EXPECT_EQ(opened.stream.packetStride(), 188);
}

// Packets of 192 bytes (a time stamp before each sync byte) or 204 (parity
// bytes behind each packet), as recorders write them.
Bytes widened(const Bytes& packets, int before, int after) {
    Bytes wide;
    for (std::size_t at = 0; at < packets.size(); at += 188) {
        wide.insert(wide.end(), static_cast<std::size_t>(before), 0x00);
        wide.insert(wide.end(), packets.begin() + static_cast<std::ptrdiff_t>(at),
                    packets.begin() + static_cast<std::ptrdiff_t>(at + 188));
        wide.insert(wide.end(), static_cast<std::size_t>(after), 0x11);
    }
    return wide;
}

TEST(CdvbStream, AddressesPacketsOf192And204BytesByTheirSyncByte) {
    const ScratchDir dir;
    const Bytes packets = numberedPackets(20).build();
    for (const auto& [before, after] : {std::pair{4, 0}, std::pair{0, 16}}) {
        Opened opened(dir.write("wide.ts", widened(packets, before, after)));
        ASSERT_TRUE(opened.ok);
        const int stride = 188 + before + after;
        EXPECT_EQ(opened.stream.packetStride(), stride);
        EXPECT_EQ(opened.stream.addressOf(5), before + 5 * stride);
        std::array<std::uint8_t, 188> packet{};
        ASSERT_TRUE(opened.stream.readPacket(19, packet.data()));
        EXPECT_EQ(pidOf(packet.data()), 0x113);
        EXPECT_EQ(opened.stream.resyncCount(), 0);
    }
}

TEST(CdvbStream, ReportsFilesItCannotOpenOrFindPacketsIn) {
    const ScratchDir dir;
    Opened missing(dir.path("missing.ts").string());
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.notices, std::vector<std::string>{"Failure to open stream!"});
    // One packet is too little to tell a packet from a stray byte; three are enough.
    Opened onePacket(dir.write("one.ts", numberedPackets(1).raw(Bytes(100, 0x00)).build()));
    EXPECT_FALSE(onePacket.ok);
    EXPECT_FALSE(onePacket.stream.isOpen());
    EXPECT_EQ(onePacket.notices, std::vector<std::string>{"Could not find start of Header - check stream!"});
    Opened threePackets(dir.write("three.ts", numberedPackets(3).build()));
    EXPECT_TRUE(threePackets.ok);
    // The first sync byte lies beyond the 16 MiB that the search covers.
    Opened late(dir.writeSparse("late.ts", {}, CDVB_Stream::searchBound + 1, numberedPackets(20).build()));
    EXPECT_FALSE(late.ok);
}

TEST(CdvbStream, FindsTheSyncAgainAndAddressesThePacketsBehindIt) {
    const ScratchDir dir;
    // Junk with a stray sync byte that no packet follows.
    const Bytes bytes = numberedPackets(20).raw({0x00, 0x47, 0x22, 0x33, 0x44}).raw(numberedPackets(5, 0x200).build()).build();
    Opened opened(dir.write("damaged.ts", bytes));
    ASSERT_TRUE(opened.ok);
    std::array<std::uint8_t, 188> packet{};
    ASSERT_TRUE(opened.stream.readPacket(20, packet.data()));
    EXPECT_EQ(pidOf(packet.data()), 0x200);
    ASSERT_TRUE(opened.stream.readPacket(24, packet.data()));
    EXPECT_EQ(pidOf(packet.data()), 0x204);
    ASSERT_TRUE(opened.stream.readPacket(19, packet.data()));
    EXPECT_EQ(pidOf(packet.data()), 0x113) << "the packets before the damage keep their addresses";
    EXPECT_FALSE(opened.stream.readPacket(25, packet.data()));
    EXPECT_EQ(opened.stream.resyncCount(), 1);
    EXPECT_TRUE(opened.stream.endOfFile());
}

TEST(CdvbStream, SearchesJunkWithoutPacketsOncePerSearchBound) {
    const ScratchDir dir;
    const std::int64_t junk = CDVB_Stream::searchBound + 188 * 1000;
    Opened opened(dir.writeSparse("tail.ts", numberedPackets(20).build(), 20 * 188 + junk, {}));
    ASSERT_TRUE(opened.ok);
    std::array<std::uint8_t, 188> packet{};
    for (std::int64_t n = 20; opened.stream.readPacket(n, packet.data()); ++n) {
    }
    EXPECT_EQ(opened.stream.resyncCount(), 2) << "a little more junk than one search covers";
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
