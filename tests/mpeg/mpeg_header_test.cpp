#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chain_support.h"
#include "mpeg/bounded_reader.h"
#include "mpeg/mpeg_header.h"
#include "mpeg/mpeg_sequence_header.h"

namespace cut2edl {
namespace {

// 720 x 576, aspect code 3 (16:9), 25 fps, bit rate 0x3FFFF, marker set, VBV 14, no matrices.
const Bytes sequence_720x576 = {0x00, 0x00, 0x01, 0xB3, 0x2D, 0x02, 0x40, 0x33, 0xFF, 0xFF, 0xE0, 0x70};

TEST(BoundedReader, ReadsBitFieldsWithTheSpanOfTheirBytes) {
    const Bytes bytes = {0xAB, 0xCD, 0xEF};
    int position = 10;
    BoundedReader reader(bytes.data(), 3, &position);
    Field<std::uint16_t> twelve_bits;
    Field<std::uint8_t> four_bits;
    reader.read(twelve_bits, 12);
    reader.read(four_bits, 4);
    EXPECT_EQ(twelve_bits.value, 0xABC);
    EXPECT_EQ(twelve_bits.span, make_span(10, 11));
    EXPECT_EQ(four_bits.value, 0xD);
    EXPECT_EQ(four_bits.span, 11u * 0x10001u);
    EXPECT_EQ(position, 12);
    EXPECT_EQ(reader.read_bit(), 1u);
    EXPECT_EQ(position, 13) << "a byte counts as consumed once one of its bits is read";
}

TEST(BoundedReader, RunningOutIsStickyAndLeavesFieldsUntouched) {
    const Bytes bytes = {0xFF};
    int position = 0;
    BoundedReader reader(bytes.data(), 1, &position);
    Field<std::uint16_t> field;
    reader.read(field, 9);
    EXPECT_TRUE(reader.ran_out());
    EXPECT_EQ(field.value, 0);
    EXPECT_EQ(field.span, 0u);
    EXPECT_EQ(reader.read_bits(1), 0u) << "nothing is read once the reader has run out";
    EXPECT_EQ(position, 0);
}

TEST(BoundedReader, ReadsUnalignedBytesAndWideValues) {
    const Bytes bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    int position = 0;
    BoundedReader reader(bytes.data(), 8, &position);
    reader.skip_bits(1);
    std::array<std::uint8_t, 2> out{};
    field_span span = 0;
    reader.read_bytes(out.data(), out.size(), span);
    EXPECT_EQ(out[0], 0x02);  // 0000000|1 0000001|0 -> 00000010
    EXPECT_EQ(out[1], 0x04);
    EXPECT_EQ(span, make_span(0, 2));
    Field<std::uint64_t> wide;
    reader.read(wide, 33);
    // Bits 17 to 49 of the eight bytes read as one big-endian number.
    EXPECT_EQ(wide.value, (0x0102030405060708ull >> (64 - 50)) & ((1ull << 33) - 1));
    EXPECT_EQ(wide.span, make_span(2, 6));
    EXPECT_FALSE(reader.ran_out());
}

TEST(CreateMpegHeader, FindsNothingInShortOrPrefixlessBuffers) {
    EXPECT_EQ(build({}).first, nullptr);
    EXPECT_EQ(build({0x00, 0x00}).first, nullptr);
    EXPECT_EQ(build({0x00, 0x00, 0x01}).first, nullptr) << "a prefix without its code byte is no start code";
    EXPECT_EQ(build({0x12, 0x34, 0x56, 0x78, 0x9A}).first, nullptr);
    EXPECT_TRUE(build({0x12, 0x34, 0x56, 0x78, 0x9A}).notices.empty());
}

TEST(CreateMpegHeader, ParsesTheSequenceHeaderAfterLeadingGarbageWithoutNotice) {
    Bytes bytes = {0x47, 0x11, 0x00};
    bytes.insert(bytes.end(), sequence_720x576.begin(), sequence_720x576.end());
    const Chain chain = build(bytes);
    ASSERT_NE(chain.first, nullptr);
    EXPECT_TRUE(chain.notices.empty());
    const auto& sequence = dynamic_cast<const mpeg_sequence_header&>(*chain.first);
    EXPECT_EQ(sequence.start_code.value, 0x000001B3u);
    EXPECT_EQ(sequence.sequence_header_code.value, 0x000001B3u);
    EXPECT_EQ(sequence.horizontal_size_value.value, 720);
    EXPECT_EQ(sequence.vertical_size_value.value, 576);
    EXPECT_EQ(sequence.aspect_ratio_information.value, 3);
    EXPECT_EQ(sequence.frame_rate_code.value, 3);
    EXPECT_EQ(sequence.frame_rate(), 25.0);
    EXPECT_EQ(sequence.bit_rate_value.value, 0x3FFFFu);
    EXPECT_EQ(sequence.marker_bit.value, 1);
    EXPECT_EQ(sequence.vbv_buffer_size_value.value, 14);
    EXPECT_EQ(sequence.constrained_parameters_flag.value, 0);
    // The search does not move the running counter: spans start at 1.
    EXPECT_EQ(sequence.start_code.span, make_span(1, 4));
    EXPECT_EQ(sequence.horizontal_size_value.span, make_span(5, 6));
    EXPECT_EQ(sequence.vertical_size_value.span, make_span(6, 7));
    EXPECT_EQ(sequence.frame_rate_code.span, 8u * 0x10001u);
    EXPECT_EQ(sequence.vbv_buffer_size_value.span, make_span(11, 12));
    EXPECT_EQ(sequence.span, make_span(1, 12));
    EXPECT_EQ(chain.position, 13);
}

TEST(CreateMpegHeader, RendersTheSequenceHeader) {
    const Chain chain = build(sequence_720x576);
    const std::vector<std::string> expected = {
        "Size Value (see extension, if any): 720 x 576",
        "Aspect Ratio: Display Aspect Ratio 16:9",
        "Frame Rate Value: 25 fps",
        "Bit Rate (see extension, if any): 262143 x 400 b/s",
        "VBV Buffer Size (see extension, if any): 14 x 16 kbytes",
        "Using Constrained Parameters (should be No)? No",
        "Load Intra Quantiser Matrix? No",
        "Load Non-Intra Quantiser Matrix? No",
    };
    EXPECT_EQ(lines_of(*chain.first), expected);
}

TEST(CreateMpegHeader, ReadsBothQuantiserMatricesAndResumesBehindThem) {
    Bytes bytes = sequence_720x576;
    bytes[11] |= 0x03;  // load both matrices
    // Intra matrix: byte i is the last bit of byte 11 + i and the top seven of byte 12 + i.
    for (int i = 0; i < 64; ++i) bytes.push_back(static_cast<std::uint8_t>(2 * i + 2));
    bytes.back() |= 0x01;  // load_non_intra_quantiser_matrix, the last bit of byte 75
    for (int i = 0; i < 64; ++i) bytes.push_back(static_cast<std::uint8_t>(100 + i));
    bytes.insert(bytes.end(), sequence_720x576.begin(), sequence_720x576.end());
    const Chain chain = build(bytes);
    const auto& sequence = dynamic_cast<const mpeg_sequence_header&>(*chain.first);
    EXPECT_EQ(sequence.intra_quantiser_matrix.value[0], 1 << 7 | 2 >> 1);
    EXPECT_EQ(sequence.intra_quantiser_matrix.value[1], (2 & 1) << 7 | 4 >> 1);
    EXPECT_EQ(sequence.intra_quantiser_matrix.span, make_span(12, 76));
    EXPECT_EQ(sequence.load_non_intra_quantiser_matrix.value, 1);
    EXPECT_EQ(sequence.non_intra_quantiser_matrix.value[0], 100);
    EXPECT_EQ(sequence.non_intra_quantiser_matrix.value[63], 163);
    EXPECT_EQ(sequence.non_intra_quantiser_matrix.span, make_span(77, 140));
    EXPECT_EQ(sequence.span, make_span(1, 140));
    ASSERT_NE(sequence.next, nullptr) << "the next search starts at offset 140";
    EXPECT_EQ(sequence.next->start_code.span, make_span(141, 144));

    const auto lines = lines_of(sequence);
    EXPECT_EQ(lines[7], "Row 1: 129 2 3 4 5 6 7 8 ");
    EXPECT_EQ(lines[16], "Row: 100 101 102 103 104 105 106 107 ");
}

TEST(CreateMpegHeader, ReportsCodesWithoutClassAndResumesOneByteOn) {
    Bytes bytes = {0x00, 0x00, 0x01, 0xBA, 0x44};
    bytes.insert(bytes.end(), sequence_720x576.begin(), sequence_720x576.end());
    bytes.insert(bytes.end(), {0x00, 0x00, 0x01, 0xF0});
    const Chain chain = build(bytes);
    EXPECT_EQ(chain.notices, (std::vector<std::string>{"MPEG Header 0xBA not defined as yet...",
                                                        "MPEG Header 0xF0 not defined as yet..."}));
    EXPECT_EQ(kinds_of(chain), (std::vector<std::uint8_t>{0xB3}));
}

TEST(CreateMpegHeader, KeepsAHeaderCutOffByTheEndOfTheBufferAndEndsTheChain) {
    const Bytes bytes(sequence_720x576.begin(), sequence_720x576.begin() + 7);
    const Chain chain = build(bytes);
    ASSERT_NE(chain.first, nullptr);
    const auto& sequence = dynamic_cast<const mpeg_sequence_header&>(*chain.first);
    EXPECT_EQ(sequence.horizontal_size_value.value, 720);
    EXPECT_EQ(sequence.vertical_size_value.value, 576);
    EXPECT_EQ(sequence.frame_rate_code.value, 0) << "byte 7 is missing";
    EXPECT_EQ(sequence.next, nullptr);
    EXPECT_EQ(chain.position, 8);
}

TEST(CreateMpegHeader, BuildsAndReleasesVeryLongChainsWithoutRecursion) {
    Bytes bytes;
    for (int i = 0; i < 200000; ++i) bytes.insert(bytes.end(), {0x00, 0x00, 0x01, 0x05, 0x00, 0x00});
    Chain chain = build(bytes);
    std::size_t count = 0;
    for (const MPEG_Header* header = chain.first.get(); header; header = header->next.get()) ++count;
    EXPECT_EQ(count, 200000u);
    chain.first->dump(discard_line);
    chain.first.reset();
}

}  // namespace
}  // namespace cut2edl
