#include <gtest/gtest.h>

#include "psi_support.h"

namespace cut2edl {
namespace {

Parsed<PSI_PAT> parse_pat(const Bytes& bytes, int section_size) {
    Parsed<PSI_PAT> parsed;
    parse_into(parsed, bytes, section_size);
    return parsed;
}

Parsed<PSI_PAT> parse_pat(const Bytes& bytes) { return parse_pat(bytes, section_size_of(bytes)); }

int programs_of(const PSI_PAT& pat) {
    int count = 0;
    for (const PSI_PAT_Program* entry = pat.programs.get(); entry; entry = entry->next.get()) ++count;
    return count;
}

// A PAT of transport stream 1 with one program, 1 on PMT PID 0x1000, and its CRC.
const Bytes one_program = from_hex("00b00d0001c100000001f0002ab104b2");

TEST(PsiPat, RendersItsProgramsAndTheCrcBeforeStuffing) {
    const auto parsed = parse_pat(one_program + Bytes{0xFF});
    EXPECT_EQ(parsed.table.header.section_length.value, 13);
    EXPECT_EQ(parsed.table.header.section_length.span, make_span(2, 3));
    EXPECT_EQ(parsed.table.transport_stream_id().span, make_span(4, 5));
    ASSERT_NE(parsed.table.programs, nullptr);
    EXPECT_EQ(parsed.table.programs->span, make_span(9, 12));
    EXPECT_EQ(parsed.table.CRC_32.span, make_span(13, 16));
    EXPECT_EQ(parsed.table.span, make_span(1, 16));
    EXPECT_EQ(parsed.position, 17);
    EXPECT_TRUE(parsed.notices.empty());
    EXPECT_EQ(lines_of(parsed.table), (Lines{"table_id = 0x00", "transport_stream_id = 0x0001", "Program",
                                             "Program Number: 1", "PMT PID: 0x1000 (4096)", "CRC32 = 0x2AB104B2"}));
}

TEST(PsiPat, ReadsARealBroadcastPat) {
    const auto parsed = parse_pat(mediaset_pat);
    EXPECT_EQ(programs_of(parsed.table), 20);
    const Lines lines = lines_of(parsed.table);
    ASSERT_EQ(lines.size(), 2u + 3 * 20 + 1);
    EXPECT_EQ(lines[1], "transport_stream_id = 0x1770");
    EXPECT_EQ((Lines{lines[2], lines[3], lines[4]}), (Lines{"Program", "Program Number: 1", "PMT PID: 0x0100 (256)"}));
    EXPECT_EQ((Lines{lines[59], lines[60], lines[61]}),
              (Lines{"Program", "Program Number: 899", "PMT PID: 0x010C (268)"}));
    EXPECT_EQ(lines.back(), "CRC32 = 0xB594C8E0");
}

TEST(PsiPat, TakesTheCrcOnlyWhenStuffingFollowsItWithinTheBytesGiven) {
    EXPECT_EQ(parse_pat(one_program).table.CRC_32.value, 0u) << "the byte behind lies outside";
    EXPECT_EQ(parse_pat(one_program + Bytes{0x00}).table.CRC_32.value, 0u);
    // A section_length below 4 has no CRC, whatever follows.
    EXPECT_EQ(parse_pat(from_hex("00b003ffffffffffffff")).table.CRC_32.value, 0u);
}

TEST(PsiPat, KeepsEveryEntryTheLengthAllows) {
    EXPECT_EQ(programs_of(parse_pat(from_hex("00b0090001c10000deadbeefff")).table), 0);
    EXPECT_EQ(lines_of(parse_pat(from_hex("00b0090001c10000deadbeefff")).table),
              (Lines{"table_id = 0x00", "transport_stream_id = 0x0001", "CRC32 = 0xDEADBEEF"}));
    // The network PID of program 0 is kept like any other entry.
    const auto network = parse_pat(from_hex("00b0110001c100000000e0100001f0002ab104b2ff"));
    EXPECT_EQ(programs_of(network.table), 2);
    EXPECT_EQ(network.table.programs->program_map_PID.value, 0x10);
}

TEST(PsiPat, ReportsASuppliedSizeThatDiffersFromItsOwn) {
    const auto parsed = parse_pat(one_program + Bytes{0xFF}, 183);
    EXPECT_EQ(parsed.notices, std::vector<std::string>{"Supplied section length error in PAT Decode"});
    EXPECT_EQ(programs_of(parsed.table), 1) << "the PAT is kept as parsed";
}

TEST(PsiPat, ReadsOnlyTheBytesGivenWhateverItsLengthClaims) {
    // section_length 0xFFF: about a thousand entries in a full buffer, none beyond it.
    Bytes full = from_hex("00bfff0001c10000");
    for (int i = 0; full.size() < 4096; ++i) full.push_back(static_cast<std::uint8_t>(i));
    const auto parsed = parse_pat(full);
    EXPECT_EQ(programs_of(parsed.table), 1022);
    EXPECT_EQ(parsed.table.CRC_32.value, 0u);
    EXPECT_EQ(parsed.position, 1 + 4096);
    EXPECT_EQ(programs_of(parse_pat(Bytes(one_program.begin(), one_program.begin() + 11)).table), 0);
}

}  // namespace
}  // namespace cut2edl
