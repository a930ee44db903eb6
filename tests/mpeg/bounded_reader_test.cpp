#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "mpeg/bit_string_support.h"
#include "mpeg/bounded_reader.h"

namespace cut2edl {
namespace {

struct Bits {
    explicit Bits(std::string_view text)
        : bytes(from_bits(text)), reader(bytes.data(), static_cast<int>(bytes.size()), &position) {}

    std::vector<std::uint8_t> bytes;
    int position = 1;
    BoundedReader reader;
};

const std::string zeros_31(31, '0');
const std::string ones_31(31, '1');

TEST(ExpGolomb, UnsignedCodesOfEveryLength) {
    Bits bits("1 010 011 00100 00111 0001000 000011111");
    for (const std::uint32_t expected : {0u, 1u, 2u, 3u, 6u, 7u, 30u}) EXPECT_EQ(bits.reader.read_ue(), expected);
    EXPECT_FALSE(bits.reader.ran_out());
}

TEST(ExpGolomb, SignedCodesAlternateFromPositive) {
    Bits bits("1 010 011 00100 00101 00110");
    for (const std::int32_t expected : {0, 1, -1, 2, -2, 3}) EXPECT_EQ(bits.reader.read_se(), expected);
    EXPECT_FALSE(bits.reader.ran_out());
}

TEST(ExpGolomb, ThirtyOneLeadingZerosGiveTheLargestValues) {
    // 2^31 - 1 + (2^31 - 1) = 2^32 - 2, and as se(v) -(2^31 - 1).
    EXPECT_EQ(Bits(zeros_31 + "1" + ones_31).reader.read_ue(), 4294967294u);
    EXPECT_EQ(Bits(zeros_31 + "1" + ones_31).reader.read_se(), -2147483647);
    // 2^31 - 1 + 0, odd: +2^30.
    EXPECT_EQ(Bits(zeros_31 + "1" + zeros_31).reader.read_ue(), 2147483647u);
    EXPECT_EQ(Bits(zeros_31 + "1" + zeros_31).reader.read_se(), 1073741824);
}

TEST(ExpGolomb, ThirtyTwoLeadingZerosEndTheRead) {
    Bits bits(zeros_31 + "0" + "1" + zeros_31 + "0 1");
    Field<std::uint32_t> field{77, 5};
    bits.reader.read_ue(field);
    EXPECT_TRUE(bits.reader.ran_out());
    EXPECT_EQ(field.value, 77u) << "the field keeps its value";
    EXPECT_EQ(field.span, 5u);
    EXPECT_EQ(bits.reader.read_ue(), 0u) << "the flag is sticky";
}

TEST(ExpGolomb, ACodeCutOffByTheEndOfTheBuffer) {
    EXPECT_EQ(Bits("00000001").reader.read_ue(), 0u);
    Bits suffix_missing("00000001");
    suffix_missing.reader.read_ue();
    EXPECT_TRUE(suffix_missing.reader.ran_out());
    Bits only_zeros("00000000 00000000");
    only_zeros.reader.read_se();
    EXPECT_TRUE(only_zeros.reader.ran_out());
    EXPECT_EQ(only_zeros.position, 3) << "it stops at the end, not beyond";
}

TEST(ExpGolomb, FieldsKeepTheSpanOfTheBytesTheirCodeTouches) {
    // After six skipped bits, 00100 takes the last two bits of byte 1 and the
    // first three of byte 2; 0001001 the rest of byte 2 and two bits of byte 3.
    Bits bits("111111 00100 0001001 1");
    bits.reader.skip_bits(6);
    Field<std::uint32_t> three;
    Field<std::int32_t> minus_four;
    bits.reader.read_ue(three);
    bits.reader.read_se(minus_four);
    EXPECT_EQ(three.value, 3u);
    EXPECT_EQ(three.span, make_span(1, 2));
    EXPECT_EQ(minus_four.value, -4);
    EXPECT_EQ(minus_four.span, make_span(2, 3));
    EXPECT_EQ(bits.position, 4);
}

TEST(BoundedReaderStop, EndsEveryLaterRead) {
    Bits bits("1111 1111");
    bits.reader.stop();
    EXPECT_TRUE(bits.reader.ran_out());
    EXPECT_EQ(bits.reader.read_bits(4), 0u);
    EXPECT_EQ(bits.position, 1);
}

}  // namespace
}  // namespace cut2edl
