#include <gtest/gtest.h>

#include "mpeg/chain_support.h"
#include "ts/adaptation_field.h"

namespace cut2edl {
namespace {

struct Parsed {
    adaptation_field field;
    int position = 1;
    int payload_offset = 0;
};

Parsed parse(const Bytes& bytes) {
    Parsed parsed;
    parsed.payload_offset =
        static_cast<int>(parsed.field.parse(bytes.data(), static_cast<int>(bytes.size()), &parsed.position) - bytes.data());
    return parsed;
}

TEST(AdaptationField, OfLengthZeroRendersOnlyItsIndicators) {
    const Parsed parsed = parse({0x00, 0xFF, 0xFF});
    EXPECT_EQ(parsed.payload_offset, 1);
    EXPECT_EQ(parsed.field.span, make_span(1, 1));
    EXPECT_EQ(lines_of(parsed.field), (Lines{"Discontinuity Indicator: No", "Random Access Indicator: No",
                                             "Elementary Stream Priority Indicator: No"}));
}

TEST(AdaptationField, ReadsEveryFlaggedPart) {
    const Bytes bytes = {0x1D, 0xFF,                               // 1-2 length 29, every flag
                         0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,       // 3-8 PCR 2^33 - 1, extension 511
                         0x00, 0x00, 0x00, 0x00, 0x80, 0x02,       // 9-14 OPCR 1, extension 2
                         0xFE,                                     // 15 splice countdown 254
                         0x02, 0xAA, 0xBB,                         // 16-18 private data
                         0x0B, 0xFF, 0x92, 0x34,                   // 19-22 extension: LTW 0x1234, valid
                         0xC1, 0x23, 0x45,                         // 23-25 piecewise rate 0x12345
                         0x5F, 0xFF, 0xFF, 0xFF, 0xFF,             // 26-30 splice type 5, DTS 2^33 - 1
                         0x47};
    const Parsed parsed = parse(bytes);
    const adaptation_field& field = parsed.field;
    EXPECT_EQ(parsed.payload_offset, 30);
    EXPECT_EQ(field.span, make_span(1, 30));
    EXPECT_EQ(field.program_clock_reference.base.value, 8589934591u);
    EXPECT_EQ(field.program_clock_reference.span, make_span(3, 8));
    EXPECT_EQ(field.original_program_clock_reference.base.value, 1u);
    EXPECT_EQ(field.private_data_span, make_span(16, 18));
    EXPECT_EQ(field.private_data.span, make_span(17, 18));
    EXPECT_EQ(field.extension_span, make_span(19, 30));
    EXPECT_EQ(field.piecewise_rate.span, make_span(23, 25));
    EXPECT_EQ(lines_of(field),
              (Lines{"Discontinuity Indicator: Yes", "Random Access Indicator: Yes",
                     "Elementary Stream Priority Indicator: Yes", "PCR Base: 8589934591", "PCR Extension: 511",
                     "OPCR Base: 1", "OPCR Extension: 2", "Splice Countdown: 254", "Bytes: 0xAA 0xBB ",
                     "LTW Valid: Yes", "LTW Offset: 4660", "Rate: 74565", "Splice Type: 0x05",
                     "DTS Next: 0x1FFFFFFFF"}));
}

TEST(AdaptationField, EmptyPrivateDataRendersItsLabelAlone) {
    const Parsed parsed = parse({0x02, 0x02, 0x00});
    EXPECT_TRUE(parsed.field.private_data.value.empty());
    EXPECT_EQ(lines_of(parsed.field).back(), "Bytes: ");
}

TEST(AdaptationField, ReadsNothingBeyondItsLengthOrItsPacket) {
    // The PCR flag is set, but the field's length leaves no room for it.
    const Parsed short_field = parse({0x01, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(short_field.field.program_clock_reference.base.value, 0u);
    EXPECT_EQ(short_field.payload_offset, 2);
    // A length of 183 in a packet cut after five bytes.
    const Parsed cut = parse({0xB7, 0x10, 0x00, 0x00, 0x01});
    EXPECT_EQ(cut.payload_offset, 5);
    EXPECT_EQ(cut.position, 6);
}

}  // namespace
}  // namespace cut2edl
