#include <gtest/gtest.h>

#include "chain_support.h"
#include "mpeg/frame_rate.h"
#include "mpeg/mpeg_sequence_header.h"

namespace cut2edl {
namespace {

TEST(ScaledFrameRate, TheSequenceExtensionScalesTheRateOfTheCode) {
    // 25 x 3 / 5 and 24 x 1 / 2, as ffmpeg codes 15 and 12 frames per second.
    EXPECT_EQ(exact_frame_rate_of_code(3, {2, 4}), 15.0);
    EXPECT_EQ(exact_frame_rate_of_code(2, {0, 1}), 12.0);
    EXPECT_EQ(frame_rate_of_code(3, {2, 4}), 15.0);
    // One fraction: 24000 x 3 / (1001 x 5), 30000 x 2 / (1001 x 32), 60000 / (1001 x 2).
    EXPECT_EQ(exact_frame_rate_of_code(1, {2, 4}), 72000.0 / 5005.0);
    EXPECT_EQ(exact_frame_rate_of_code(4, {1, 31}), 60000.0 / 32032.0);
    EXPECT_EQ(exact_frame_rate_of_code(7, {0, 1}), 60000.0 / 2002.0);
    // The rounded rates scaled the same way.
    EXPECT_EQ(frame_rate_of_code(4, {0, 1}), 29.97 / 2);
    EXPECT_EQ(frame_rate_of_code(8, {3, 0}), 240.0);
    EXPECT_EQ(exact_frame_rate_of_code(0, {2, 4}), -1.0);
    EXPECT_EQ(frame_rate_of_code(9, {2, 4}), -1.0);
}

// 352 x 288, code 3, then a sequence extension (Main @ Main, 4:2:0, n and d
// in its last byte: low_delay 0, n 2, d 4 give 0 10 00100).
const Bytes sequence_352x288 = {0x00, 0x00, 0x01, 0xB3, 0x16, 0x01, 0x20, 0x13, 0xFF, 0xFF, 0xE0, 0x18};
const Bytes extension_3_5 = {0x00, 0x00, 0x01, 0xB5, 0x14, 0x8A, 0x00, 0x01, 0x00, 0x44};

TEST(ScaledFrameRate, ASequenceHeaderIsScaledByTheExtensionBehindIt) {
    const Chain scaled = build(sequence_352x288 + extension_3_5);
    const auto& header = dynamic_cast<const mpeg_sequence_header&>(*scaled.first);
    EXPECT_EQ(header.frame_rate(), 15.0);
    EXPECT_EQ(header.exact_frame_rate(), 15.0);
    // MPEG-1: no extension.
    const Chain plain = build(sequence_352x288 + Bytes{0x00, 0x00, 0x01, 0xB8, 0x00, 0x08, 0x00, 0x40});
    EXPECT_EQ(dynamic_cast<const mpeg_sequence_header&>(*plain.first).frame_rate(), 25.0);
    // An extension cut off before its rate fields scales nothing.
    const Chain cut = build(sequence_352x288 + Bytes(extension_3_5.begin(), extension_3_5.end() - 1));
    EXPECT_EQ(dynamic_cast<const mpeg_sequence_header&>(*cut.first).exact_frame_rate(), 25.0);
}

}  // namespace
}  // namespace cut2edl
