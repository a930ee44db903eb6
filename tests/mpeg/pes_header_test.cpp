#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chain_support.h"
#include "mpeg/mpeg_pes_header.h"
#include "mpeg/mpeg_sequence_header.h"

namespace cut2edl {
namespace {

const mpeg_pes_header& pes_of(const Chain& chain) { return dynamic_cast<const mpeg_pes_header&>(*chain.first); }


const Bytes video_pes = {0x00, 0x00, 0x01, 0xE0, 0x00, 0x00};
const Bytes sequence_720x576 = {0x00, 0x00, 0x01, 0xB3, 0x2D, 0x02, 0x40, 0x33, 0xFF, 0xFF, 0xE0, 0x70};
const Lines plain_flag_lines = {"PES Scrambling Control: 0 (Not Scrambled)", "PES Priority: Low",
                                "Data Alignment Indicator: No", "Copyright: No", "Original or Copy: Copy"};

// A video PES header with every optional part; byte offsets (running counter
// from 1) in the comments.
const Bytes every_part = Bytes{0x00, 0x00, 0x01, 0xE0, 0x01, 0x23,                // 1-6
                               0x9D, 0xFF, 0x2A,                                  // 7-9 flags, length
                               0x39, 0x8D, 0x15, 0xCF, 0x13,                      // 10-14 PTS 4886718345
                               0x11, 0x00, 0x01, 0x17, 0x77,                      // 15-19 DTS 3003
                               0xC4, 0x01, 0x2E, 0xB4, 0x3E, 0x57,                // 20-25 ESCR 1234567, 299
                               0x82, 0x46, 0x8B,                                  // 26-28 ES rate 0x12345
                               0x75,                                              // 29 fast reverse
                               0xD5,                                              // 30 copy info 0x55
                               0xBE, 0xEF,                                        // 31-32 CRC
                               0xFF}                                              // 33 PES extension flags
                         + Bytes{0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,  // 34-49 private data
                                 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F}
                         + Bytes{0x02, 0xAA, 0xBB,                                // 50-52 pack field
                                 0xAA, 0xC7,                                      // 53-54 sequence counter
                                 0x60, 0x0A,                                      // 55-56 P-STD buffer
                                 0x83, 0x01, 0x02, 0x03};                         // 57-60 extension 2

TEST(PesHeader, OnlyPrivateStream1AudioAndVideoCarryTheOptionalHeader) {
    for (const unsigned id : {0xBDu, 0xBEu, 0xBFu, 0xC0u, 0xDFu, 0xE0u, 0xEFu}) {
        const Chain chain = build({0x00, 0x00, 0x01, static_cast<std::uint8_t>(id), 0x00, 0x03, 0x80, 0x00, 0x00});
        const bool expected = id == 0xBD || id >= 0xC0;
        EXPECT_EQ(pes_of(chain).extension != nullptr, expected) << std::hex << id;
    }
}

TEST(PesHeader, PaddingRendersOnlyItsStreamIdAndChainsThroughItsPayload) {
    const Chain chain = build(Bytes{0x00, 0x00, 0x01, 0xBE, 0x00, 0x10, 0xFF, 0xFF} + sequence_720x576);
    const auto& pes = pes_of(chain);
    EXPECT_EQ(pes.PES_packet_length.value, 0x10);
    EXPECT_EQ(pes.PES_packet_length.span, make_span(5, 6));
    EXPECT_EQ(pes.span, make_span(1, 6));
    EXPECT_EQ(lines_of(*chain.first)[0], "Stream ID: 0xBE (Padding Stream)");
    ASSERT_NE(pes.next, nullptr);
    EXPECT_EQ(pes.next->kind(), 0xB3);
    EXPECT_EQ(pes.next->start_code.span, make_span(7, 10)) << "the search does not move the counter";
}

TEST(PesHeader, ReadsAPresentationTimeStampOfZero) {
    const Chain chain = build(video_pes + Bytes{0x80, 0x80, 0x05, 0x21, 0x00, 0x01, 0x00, 0x01});
    const auto& extension = *pes_of(chain).extension;
    EXPECT_EQ(extension.marker_bits.value, 2);
    EXPECT_EQ(extension.PTS_DTS_flags.value, 2);
    EXPECT_EQ(extension.PTS_DTS_flags.span, 8u * 0x10001u);
    EXPECT_EQ(extension.PES_header_data_length.value, 5);
    ASSERT_NE(extension.pts_dts, nullptr);
    const auto& pts = extension.pts_dts->PTS;
    EXPECT_EQ(extension.pts_dts->PTS_prefix.value, 2);
    EXPECT_EQ(pts.value(), 0u);
    EXPECT_EQ(pts.marker_bit_1.value + pts.marker_bit_2.value + pts.marker_bit_3.value, 3);
    EXPECT_EQ(pts.bits_29_15.span, make_span(11, 12));
    EXPECT_EQ(pts.marker_bit_3.span, 14u * 0x10001u);
    EXPECT_EQ(extension.pts_dts->span, make_span(10, 14));
    EXPECT_EQ(extension.span, make_span(7, 14));
    EXPECT_EQ(chain.position, 15);

    Lines expected = {"Stream ID: 0xE0 (MPEG-1 or MPEG-2 video stream number 0)"};
    expected.insert(expected.end(), plain_flag_lines.begin(), plain_flag_lines.end());
    expected.push_back("Presentation Time Stamp: 0");
    EXPECT_EQ(lines_of(*chain.first), expected);
}

TEST(PesHeader, RendersTimeStampsBeyondThirtyTwoBits) {
    const Chain chain = build(video_pes + Bytes{0x80, 0x80, 0x05, 0x2F, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(lines_of(*chain.first).back(), "Presentation Time Stamp: 8589934591");
    const Chain bit_32 = build(video_pes + Bytes{0x80, 0x80, 0x05, 0x29, 0x00, 0x01, 0x00, 0x01});
    EXPECT_EQ(lines_of(*bit_32.first).back(), "Presentation Time Stamp: 4294967296");
}

TEST(PesHeader, FlagsThreeSetTenBytesAsideWhateverThePrefixSays) {
    // PTS prefix 2: no DTS is read, yet the ESCR still starts ten bytes on,
    // and the counter follows the bytes passed over.
    const Bytes bytes = video_pes + Bytes{0x80, 0xE0, 0x10, 0x21, 0x00, 0x01, 0x00, 0x01, 0x11, 0x00, 0x01, 0x17, 0x77,
                                          0xC4, 0x01, 0x2E, 0xB4, 0x3E, 0x57};
    const Chain chain = build(bytes);
    const auto& extension = *pes_of(chain).extension;
    EXPECT_FALSE(extension.pts_dts->has_DTS());
    EXPECT_EQ(extension.pts_dts->DTS.value(), 0u);
    ASSERT_NE(extension.escr, nullptr);
    EXPECT_EQ(extension.escr->span, make_span(20, 25));
    EXPECT_EQ(extension.escr->ESCR_base.value(), 1234567u);
    EXPECT_EQ(extension.escr->ESCR_extension.value, 299);
}

TEST(PesHeader, ParsesAndRendersEveryOptionalPart) {
    const Chain chain = build(every_part + sequence_720x576);
    const auto& pes = pes_of(chain);
    const auto& extension = *pes.extension;
    const auto& pes_extension = *extension.pes_extension;

    EXPECT_EQ(pes.span, make_span(1, 60));
    EXPECT_EQ(extension.span, make_span(7, 60));
    EXPECT_EQ(extension.pts_dts->span, make_span(10, 19));
    EXPECT_EQ(extension.pts_dts->DTS.bits_14_0.span, make_span(18, 19));
    EXPECT_EQ(extension.escr->ESCR_extension.span, make_span(24, 25));
    EXPECT_EQ(extension.es_rate->ES_rate.span, make_span(26, 28));
    EXPECT_EQ(extension.dsm_trick_mode->span, 29u * 0x10001u);
    EXPECT_EQ(extension.additional_copy_info->span, 30u * 0x10001u);
    EXPECT_EQ(extension.pes_crc->previous_PES_packet_CRC.span, make_span(31, 32));
    EXPECT_EQ(pes_extension.span, make_span(33, 60));
    EXPECT_EQ(pes_extension.reserved.value, 7);
    EXPECT_EQ(pes_extension.PES_private_data.span, make_span(34, 49));
    EXPECT_EQ(pes_extension.pack_field_length.span, 50u * 0x10001u);
    EXPECT_EQ(pes_extension.program_packet_sequence_counter->span, make_span(53, 54));
    EXPECT_EQ(pes_extension.P_STD_buffer->fixed_bits_01.value, 1);
    EXPECT_EQ(pes_extension.P_STD_buffer->span, make_span(55, 56));
    EXPECT_EQ(pes_extension.pes_extension_2->PES_extension_field_data.span, make_span(58, 60));
    ASSERT_NE(pes.next, nullptr);
    EXPECT_EQ(pes.next->start_code.span, make_span(61, 64));

    const Lines expected = {
        "Stream ID: 0xE0 (MPEG-1 or MPEG-2 video stream number 0)",
        "PES Scrambling Control: 1 (User Defined)",
        "PES Priority: High",
        "Data Alignment Indicator: Yes",
        "Copyright: No",
        "Original or Copy: Original",
        "Presentation Time Stamp: 4886718345",
        "Decoding Time Stamp: 3003",
        "Elementary Stream Clock Reference: 1234567 x 300 + 299",
        "Elementary Stream Rate: 74565 x 50 bytes/sec",
        "Mode: Fast Reverse",
        "Field ID: 2 (Display complete frame)",
        "Intra-slice refresh bit set: Yes",
        "Frequency Truncation: 1 (Only the first three coefficients are non-zero)",
        "Additional Copyright Info: 0x55",
        "Previous PES Packet CRC: 0xBEEF",
        "PES Private Data: 0x00 0x01 0x02 0x03 0x04 0x05 0x06 0x07 0x08 0x09 0x0A 0x0B 0x0C 0x0D 0x0E 0x0F",
        "Pack Field Length: 2 (not decoded)",
        "Program Packet Sequence Counter: 42",
        "MPEG-1 / MPEG-2 Identifier Flag: MPEG-1",
        "Original Stuffing Length: 7 bytes",
        "P-STD Buffer Scale: 1024 bytes",
        "P-STD Buffer Size: 10 units of above",
        "Data: 0x01 0x02 0x03",
    };
    const Lines lines = lines_of(pes);  // the chain behind is the sequence header's
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<long>(expected.size())), expected);
}

TEST(PesHeaderTrickMode, ReadsTheFieldsOfEachMode) {
    const std::vector<std::pair<std::uint8_t, Lines>> cases = {
        {0x1D, {"Mode: Fast Forward", "Field ID: 3 (Reserved)", "Intra-slice refresh bit set: Yes",
                "Frequency Truncation: 1 (Only the first three coefficients are non-zero)"}},
        {0x3F, {"Mode: Slow Motion", "Repetition Control: 31"}},
        {0x9E, {"Mode: Slow Reverse", "Repetition Control: 30"}},
        {0x57, {"Mode: Freeze Frame", "Field ID: 2 (Display complete frame)"}},
        {0xA0, {"Mode: Reserved"}},
        {0xFF, {"Mode: Reserved"}},
    };
    for (const auto& [byte, expected] : cases) {
        int position = 1;
        mpeg_pes_header_dsm_trick_mode trick_mode;
        trick_mode.parse(&byte, 1, &position);
        EXPECT_EQ(lines_of(trick_mode), expected) << std::hex << int{byte};
        EXPECT_EQ(position, 2);
    }
    mpeg_pes_header_dsm_trick_mode freeze, reserved;
    int position = 1;
    const std::uint8_t freeze_byte = 0x57, reserved_byte = 0xFF;
    freeze.parse(&freeze_byte, 1, &position);
    reserved.parse(&reserved_byte, 1, &position);
    EXPECT_EQ(freeze.reserved.value, 7);
    EXPECT_EQ(reserved.reserved.value, 0x1F);
    EXPECT_EQ(reserved.field_id.value, 0) << "only the reserved bits are kept from 5 on";
}

TEST(PesHeaderBounds, FixedBytesCutOffEndTheChainAnOptionalHeaderCutOffDoesNot) {
    const Bytes bytes = video_pes + Bytes{0x80, 0x80};
    mpeg_pes_header cut_fixed;
    int position = 1;
    EXPECT_EQ(cut_fixed.parse(bytes.data(), 5, &position), nullptr);
    EXPECT_EQ(cut_fixed.extension, nullptr);
    EXPECT_EQ(position, 5) << "half a PES_packet_length is not read";

    mpeg_pes_header cut_optional;
    position = 1;
    EXPECT_EQ(cut_optional.parse(bytes.data(), 8, &position), bytes.data() + 6);
    ASSERT_NE(cut_optional.extension, nullptr);
    EXPECT_EQ(cut_optional.extension->PTS_DTS_flags.value, 2);
    EXPECT_EQ(cut_optional.extension->pts_dts, nullptr) << "no time-stamp part without its bytes";
    EXPECT_EQ(cut_optional.span, make_span(1, 8));
}

TEST(PesHeaderBounds, LengthFieldsNeverReachPastTheBuffer) {
    // Extension 2 announces 127 bytes, three are there.
    const Chain extension_2 = build(Bytes{0x00, 0x00, 0x01, 0xBD, 0x00, 0x00, 0x80, 0x01, 0x10, 0x01, 0xFF, 1, 2, 3});
    EXPECT_EQ(lines_of(*extension_2.first).back(), "Data: 0x01 0x02 0x03");
    EXPECT_EQ(extension_2.position, 15);

    // A pack field longer than the buffer hides the P-STD buffer behind it.
    const Chain pack = build(video_pes + Bytes{0x80, 0x01, 0x10, 0x50, 0xC8, 0x60, 0x0A});
    const auto& pes_extension = *pes_of(pack).extension->pes_extension;
    EXPECT_EQ(pes_extension.pack_field_length.value, 200);
    EXPECT_EQ(pes_extension.P_STD_buffer, nullptr);
    EXPECT_EQ(lines_of(pes_extension), Lines{"Pack Field Length: 200 (not decoded)"});

    // Private data cut short keeps the bytes that are there.
    const Chain private_data = build(video_pes + Bytes{0x80, 0x01, 0x10, 0x80, 0x0A, 0x0B});
    EXPECT_EQ(lines_of(*pes_of(private_data).extension->pes_extension), Lines{"PES Private Data: 0x0A 0x0B"});
}

TEST(PesHeaderBounds, EveryTruncationStaysInsideItsBytes) {
    for (std::size_t size = 4; size <= every_part.size(); ++size) {
        // An exact-size heap copy, so that ASan sees any read past the end.
        auto bytes = std::make_unique<std::uint8_t[]>(size);
        std::copy_n(every_part.begin(), size, bytes.get());
        int position = 1;
        const auto chain = create_mpeg_header(bytes.get(), static_cast<int>(size), &position, [](std::string_view) {});
        ASSERT_NE(chain, nullptr);
        const auto& pes = dynamic_cast<const mpeg_pes_header&>(*chain);
        EXPECT_LE(position, static_cast<int>(size) + 1) << size;
        EXPECT_EQ(span_last(pes.span), position - 1) << size;
        EXPECT_EQ(pes.extension != nullptr, size > 6) << size;
        EXPECT_FALSE(lines_of(pes).empty());
    }
}

}  // namespace
}  // namespace cut2edl
