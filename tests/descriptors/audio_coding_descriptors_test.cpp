#include <gtest/gtest.h>

#include "descriptor_support.h"
#include "descriptors/AAC_descriptor.h"
#include "descriptors/DTS_descriptor.h"
#include "descriptors/MPEG2_AAC_audio_descriptor.h"
#include "descriptors/MPEG4_audio_descriptor.h"
#include "descriptors/ac3_descriptor.h"
#include "descriptors/enhanced_AC3_descriptor.h"
#include "descriptors/stream_identifier_descriptor.h"

// The descriptors of AAC, Dolby and DTS audio streams, from hand-made bytes.
namespace cut2edl {
namespace {

TEST(AacAudioDescriptors, ShowTheirProfilesAsCoded) {
    EXPECT_EQ(lines_of(parse_loop({0x1C, 0x01, 0x58})), Lines{"MPEG-4_audio_profile_and_level: 0x58"});
    // Profile 1 is LC; configuration 2 is a stereo pair; 0x00: no extension.
    const Loop mpeg2 = parse_loop({0x2B, 0x03, 0x01, 0x02, 0x00});
    EXPECT_EQ(descriptor_at<MPEG2_AAC_audio_descriptor>(mpeg2).MPEG_2_AAC_channel_configuration.span,
              make_span(4, 4));
    EXPECT_EQ(lines_of(mpeg2), (Lines{"MPEG-2_AAC_profile: 1 (Low Complexity (LC))",
                                      "MPEG-2_AAC_channel_configuration: 2",
                                      "MPEG-2_AAC_additional_information: 0x00"}));
    EXPECT_EQ(lines_of(parse_loop({0x2B, 0x03, 0x03, 0x06, 0x01}))[0], "MPEG-2_AAC_profile: 3 (reserved)");
    // An empty MPEG-4 body reads nothing, and the stream identifier follows.
    const Loop empty = parse_loop({0x1C, 0x00, 0x52, 0x01, 0x03});
    EXPECT_EQ(descriptor_at<MPEG4_audio_descriptor>(empty).MPEG_4_audio_profile_and_level.span, 0u);
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(empty, 1).component_tag.value, 3);
}

TEST(AacDescriptor, ShowsOnlyTheFieldsItsBodyHolds) {
    // The one-byte form of older broadcasts.
    const Loop old = parse_loop({0x7C, 0x01, 0x58});
    EXPECT_EQ(descriptor_at<AAC_descriptor>(old).AAC_type_flag.span, 0u);
    EXPECT_EQ(lines_of(old), Lines{"profile_and_level: 0x58"});
    // 1 0 111111: AAC_type 0x03 follows, then one byte more.
    EXPECT_EQ(lines_of(parse_loop({0x7C, 0x04, 0x58, 0xBF, 0x03, 0xEE})),
              (Lines{"profile_and_level: 0x58", "AAC_type_flag: Yes", "SAOC_DE_flag: No", "AAC_type: 0x03",
                     "additional_info:  0xEE "}));
    // 0 1 111111: no type.
    EXPECT_EQ(lines_of(parse_loop({0x7C, 0x02, 0x51, 0x7F})),
              (Lines{"profile_and_level: 0x51", "AAC_type_flag: No", "SAOC_DE_flag: Yes"}));
}

TEST(EnhancedAc3Descriptor, ReadsEachFieldItsFlagAnnounces) {
    // Every flag set: 0xC2 is Enhanced AC-3 (bit 7), full service (bit 6),
    // Complete Main (000), stereo (010).
    EXPECT_EQ(lines_of(parse_loop({0x7A, 0x09, 0xFF, 0xC2, 0x10, 0x00, 0x01, 0x42, 0x44, 0x4A, 0xAA})),
              (Lines{"component_type: 0xC2 (Enhanced AC-3, Complete Main (CM), 2-channel (stereo))", "bsid: 0x10",
                     "mainid: 0x00", "asvc: 0x01", "mixinfoexists: Yes", "substream1: 0x42", "substream2: 0x44",
                     "substream3: 0x4A", "additional_info:  0xAA "}));
    // 0100 1010: bsid, mixinfoexists and substream2, in that order.
    EXPECT_EQ(lines_of(parse_loop({0x7A, 0x03, 0x4A, 0x10, 0x01})),
              (Lines{"bsid: 0x10", "mixinfoexists: Yes", "substream2: 0x01"}));
    // Every flag set in a body of two bytes: only component_type is there.
    const Loop cut = parse_loop({0x7A, 0x02, 0xFF, 0xC2, 0x52, 0x01, 0x09});
    EXPECT_EQ(descriptor_at<enhanced_AC3_descriptor>(cut).component_type.value, 0xC2);
    EXPECT_EQ(descriptor_at<enhanced_AC3_descriptor>(cut).bsid.span, 0u);
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(cut, 1).component_tag.value, 9);
}

TEST(EnhancedAc3Descriptor, TheMinimalFormOfFfmpegsDvbMuxerHoldsOnlyFlags) {
    // What ffmpeg's muxer writes for AC-3 and for E-AC-3 audio: one byte of flags, all clear.
    const Loop loop = parse_loop({0x6A, 0x01, 0x00, 0x7A, 0x01, 0x00});
    EXPECT_EQ(descriptor_at<ac3_descriptor>(loop).additional_info.value, Bytes{});
    EXPECT_EQ(descriptor_at<enhanced_AC3_descriptor>(loop, 1).mixinfoexists.span, make_span(6, 6));
    EXPECT_EQ(lines_of(loop), Lines{"mixinfoexists: No"});
}

TEST(DtsDescriptor, ShowsTheFrameParameters) {
    // 1101 001111 0001111 00011111011100 001001 1 00: 48 kHz, bit rate code
    // 15, 15 blocks, fsize 2012, surround mode 9, LFE; then two more bytes.
    const Loop loop = parse_loop({0x7B, 0x07, 0xD3, 0xC7, 0x8F, 0xB8, 0x4C, 0x01, 0x02});
    EXPECT_EQ(descriptor_at<DTS_descriptor>(loop).fsize.span, make_span(5, 6));
    EXPECT_EQ(lines_of(loop), (Lines{"sample_rate_code: 13 (48 kHz)", "bit_rate_code: 15", "nblks: 15",
                                     "fsize: 2012", "surround_mode: 9", "lfe_flag: Yes",
                                     "extended_surround_flag: 0", "additional_info:  0x01  0x02 "}));
    // 0100 111111 then 6 bits, one short of nblks: code 4 is no rate.
    const Loop cut = parse_loop({0x7B, 0x02, 0x4F, 0xFF, 0x52, 0x01, 0x0A});
    const auto& dts = descriptor_at<DTS_descriptor>(cut);
    EXPECT_EQ(dts.bit_rate_code.value, 63);
    EXPECT_EQ(dts.nblks.span, 0u);
    EXPECT_EQ(lines_of(cut)[0], "sample_rate_code: 4 (invalid)");
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(cut, 1).component_tag.value, 10);
}

}  // namespace
}  // namespace cut2edl
