// The SDT as the probe reads it while it walks over the tables: the service
// names of the programs, taken from sound sections of the stream's own SDT.
#include <gtest/gtest.h>

#include "ts_test_support.h"

namespace cut2edl::test {
namespace {

constexpr int sdtPid = 0x11;
constexpr int actualSdt = 0x42;
constexpr int otherSdt = 0x46;

// An SDT section whose services each have a service descriptor with no
// provider name and the name given.
Bytes sdtSection(const std::vector<std::pair<int, Bytes>>& services, int version = 0, int tableId = actualSdt) {
    Bytes body;
    putBytes(body, {0xFF, 0x01, 0xFF});  // original_network_id 0xFF01, reserved_future_use
    for (const auto& [id, name] : services) {
        const int nameLength = static_cast<int>(name.size());
        const int loopLength = 2 + 3 + nameLength;
        putBytes(body, {id >> 8, id & 0xFF, 0xFC, 0x80 | (loopLength >> 8), loopLength & 0xFF});
        putBytes(body, {0x48, loopLength - 2, 0x01, 0x00, nameLength});
        body = body + name;
    }
    Bytes section = longSection(tableId, 1, body);
    section[5] = static_cast<std::uint8_t>(0xC1 | version << 1);
    return withCrc(section);
}

Bytes named(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The section with the last byte of its last name flipped, so that its CRC_32 no longer holds.
Bytes damaged(Bytes section) {
    section[section.size() - 5] ^= 0x01;
    return section;
}

// Program 1, MPEG-2 video 720 x 576 on PID 0x101, with these SDT sections ahead of its tables.
std::unique_ptr<Probed> probeWithSdts(const std::vector<Bytes>& sdts) {
    TsBuilder stream;
    for (const Bytes& sdt : sdts) stream.section(sdtPid, sdt);
    stream.section(0, patSection(1, {{1, 0x100}}));
    stream.section(0x100, pmtSection(1, 0x101, {{0x02, 0x101}}));
    stream.pes(0x101, videoPes(90000, sequenceHeader(720, 576, 3)));
    return probe(stream.nullPackets(15));
}

std::optional<std::string> nameOfProgram1(const Probed& probed) { return probed.programs().at(0).serviceName; }

TEST(ServiceTable, NamesProgramsFromTheStreamsOwnSdtOnly) {
    const auto probed = probeWithSdts({sdtSection({{1, named("Other")}}, 0, otherSdt),
                                       sdtSection({{2, named("Due")}, {1, named("Uno")}})});
    EXPECT_EQ(nameOfProgram1(*probed), "Uno");
    EXPECT_TRUE(probed->reported("Program 1 \"Uno\" (PMT PID 0x0100):"));
    EXPECT_TRUE(probed->reported("    service_id: 2 (0x0002)"));
    EXPECT_TRUE(probed->reported("        Service Name: Due"));

    const auto unnamed = probeWithSdts({});
    EXPECT_EQ(nameOfProgram1(*unnamed), std::nullopt);
    EXPECT_TRUE(unnamed->reported("Program 1 (PMT PID 0x0100):"));
    EXPECT_TRUE(unnamed->reported(
        "SDT (PID 0x0011): none passed by while the tables were read, so the programs go unnamed"));
}

TEST(ServiceTable, TakesASoundSectionOverADamagedOneAndTheDamagedOneWhenNoSoundOneCame) {
    const Bytes uno = sdtSection({{1, named("Uno")}});
    const auto mended = probeWithSdts({damaged(uno), uno});
    EXPECT_EQ(nameOfProgram1(*mended), "Uno");
    EXPECT_TRUE(mended->reported("  Passed over: 1 section with a wrong CRC_32"));

    // 'o' (0x6F) with its lowest bit flipped is 'n'.
    const auto unsound = probeWithSdts({damaged(uno)});
    EXPECT_EQ(nameOfProgram1(*unsound), "Unn");
    EXPECT_TRUE(unsound->reported("  Taken though unsound, as no sound one came: the first, with a wrong CRC_32"));
}

TEST(ServiceTable, TakesANewVersionWholeAndPassesOverOneNotYetInForce) {
    Bytes next = sdtSection({{1, named("Later")}}, 2);
    next[5] &= 0xFE;  // current_next_indicator 0
    const auto probed = probeWithSdts({sdtSection({{1, named("Old")}}, 0), sdtSection({{1, named("New")}}, 1),
                                       withCrc(next), damaged(sdtSection({{1, named("Bad")}}, 3))});
    EXPECT_EQ(nameOfProgram1(*probed), "New");
    EXPECT_TRUE(probed->reported("  Passed over: 1 section with a wrong CRC_32, 1 section with "
                                 "current_next_indicator 0 (not yet in force)"));
}

TEST(ServiceTable, DecodesTheNameFromItsCharacterTable) {
    // Selector 0x05 names ISO/IEC 8859-9, where 0xFC is u with diaeresis (U+00FC).
    const auto probed = probeWithSdts({sdtSection({{1, {0x05, 'T', 0xFC, 'r', 'k'}}})});
    EXPECT_EQ(nameOfProgram1(*probed), "T\xC3\xBCrk");
    EXPECT_TRUE(probed->reported("Program 1 \"T\xC3\xBCrk\" (PMT PID 0x0100):"));
}

}  // namespace
}  // namespace cut2edl::test
