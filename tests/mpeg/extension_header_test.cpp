#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "chain_support.h"
#include "mpeg/mpeg_camera_parameters_extension.h"
#include "mpeg/mpeg_copyright_extension.h"
#include "mpeg/mpeg_extension_header.h"
#include "mpeg/mpeg_picture_coding_extension.h"
#include "mpeg/mpeg_picture_temporal_scalable_extension.h"
#include "mpeg/mpeg_quant_matrix_extension.h"
#include "mpeg/mpeg_sequence_display_extension.h"
#include "mpeg/mpeg_sequence_extension.h"
#include "mpeg/mpeg_sequence_scalable_extension.h"

namespace cut2edl {
namespace {

// Builds an extension header bit by bit: 00 00 01 B5, then the fields given.
class Extension {
public:
    explicit Extension(unsigned identifier) { bits(identifier, 4); }

    // `count` may exceed 64 for long runs of zeros.
    Extension& bits(std::uint64_t value, int count) {
        for (int bit = count - 1; bit >= 0; --bit) {
            if (used % 8 == 0) bytes.push_back(0);
            const unsigned set = bit < 64 ? (value >> bit) & 1 : 0;
            bytes.back() |= static_cast<std::uint8_t>(set << (7 - used % 8));
            ++used;
        }
        return *this;
    }

    Bytes done() const { return bytes; }

private:
    Bytes bytes = {0x00, 0x00, 0x01, 0xB5};
    int used = 0;
};

const mpeg_extension_header& extension_of(const Chain& chain) {
    return dynamic_cast<const mpeg_extension_header&>(*chain.first);
}

template <typename Payload>
const Payload& payload_of(const Chain& chain) {
    return dynamic_cast<const Payload&>(*extension_of(chain).payload);
}

Bytes followed_by_start_code(Bytes bytes, std::uint8_t code) {
    bytes.insert(bytes.end(), {0x00, 0x00, 0x01, code});
    return bytes;
}

// Profile and level 0x48, progressive, 4:2:0, size extensions 1 and 2, bit rate
// extension 3, marker, VBV extension 5, no low delay, frame rate factor 2 / 1.
const Bytes sequence_extension = Extension(1).bits(0x48, 8).bits(1, 1).bits(1, 2).bits(1, 2).bits(2, 2)
                                     .bits(3, 12).bits(1, 1).bits(5, 8).bits(0, 1).bits(1, 2).bits(0, 5).done();

TEST(ExtensionHeader, ParsesTheSequenceExtensionWithSpansOnTheRunningCounter) {
    const Chain chain = build(followed_by_start_code(sequence_extension, 0xB8));
    const auto& header = extension_of(chain);
    EXPECT_EQ(header.extension_start_code.value, 0x000001B5u);
    EXPECT_EQ(header.start_code.value, 0x000001B5u);
    EXPECT_EQ(header.extension_start_code.span, make_span(1, 4));
    EXPECT_EQ(header.extension_start_code_identifier.value, 1);
    EXPECT_EQ(header.extension_start_code_identifier.span, 5u * 0x10001u);

    const auto& payload = payload_of<mpeg_sequence_extension>(chain);
    EXPECT_EQ(payload.profile_and_level_indication.value, 0x48);
    EXPECT_EQ(payload.profile_and_level_indication.span, make_span(5, 6));
    EXPECT_EQ(payload.chroma_format.span, 6u * 0x10001u);
    EXPECT_EQ(payload.horizontal_size_extension.span, make_span(6, 7));
    EXPECT_EQ(payload.bit_rate_extension.value, 3);
    EXPECT_EQ(payload.bit_rate_extension.span, make_span(7, 8));
    EXPECT_EQ(payload.vbv_buffer_size_extension.span, 9u * 0x10001u);
    EXPECT_EQ(payload.frame_rate_extension_d.span, 10u * 0x10001u);
    EXPECT_EQ(payload.span, make_span(5, 10));
    EXPECT_EQ(header.span, make_span(1, 10));

    ASSERT_NE(header.next, nullptr) << "the search resumes inside the payload and finds the GOP header";
    EXPECT_EQ(header.next->kind(), 0xB8);
    EXPECT_EQ(header.next->start_code.span, make_span(11, 14));
}

TEST(ExtensionHeader, RendersTheSequenceExtension) {
    const Lines expected = {
        "Profile and Level: Main Profile @ Main Level",
        "Progressive Sequence? Yes",
        "Chroma Format: 4:2:0",
        "Horizontal Size Extension: add 4096",
        "Vertical Size Extension: add 8192",
        "Bit Rate Extension: add 786432",
        "VBV Buffer Size Extension: add 5120",
        "Low Delay? No",
        "Frame Rate Extension: frame rate x 2 / 1",
    };
    EXPECT_EQ(lines_of(build(sequence_extension)), expected);
}

TEST(ExtensionHeader, ReadsTheColourDescriptionOnlyWhenItIsPresent) {
    const Chain plain = build(Extension(2).bits(1, 3).bits(0, 1).bits(720, 14).bits(1, 1).bits(576, 14).done());
    const auto& without = payload_of<mpeg_sequence_display_extension>(plain);
    EXPECT_EQ(without.display_horizontal_size.value, 720);
    EXPECT_EQ(without.display_horizontal_size.span, make_span(6, 7));
    EXPECT_EQ(without.display_vertical_size.value, 576);
    EXPECT_EQ(without.span, make_span(5, 9));
    EXPECT_EQ(lines_of(plain), (Lines{"Video Format: PAL", "Display Size: 720 x 576"}));

    const Chain coloured = build(Extension(2).bits(2, 3).bits(1, 1).bits(1, 8).bits(8, 8).bits(4, 8)
                                     .bits(1920, 14).bits(1, 1).bits(1080, 14).done());
    const auto& with = payload_of<mpeg_sequence_display_extension>(coloured);
    EXPECT_EQ(with.transfer_characteristics.span, 7u * 0x10001u);
    EXPECT_EQ(with.display_horizontal_size.span, make_span(9, 10));
    EXPECT_EQ(with.span, make_span(5, 12));
    const Lines expected = {
        "Video Format: NTSC",
        "Colour Primaries: Recommendation ITU-R BT.709",
        "Transfer Characteristics: Linear Transfer Characteristics",
        "Matrix Coefficients: FCC",
        "Display Size: 1920 x 1080",
    };
    EXPECT_EQ(lines_of(coloured), expected);
}

TEST(ExtensionHeader, ReadsOnlyTheQuantiserMatricesThatAreLoaded) {
    Extension chroma_non_intra_only(3);
    chroma_non_intra_only.bits(0b0001, 4);
    for (int i = 0; i < 64; ++i) chroma_non_intra_only.bits(i + 1, 8);
    const Bytes bytes = chroma_non_intra_only.done();
    EXPECT_EQ(bytes[4], 0x31) << "three 0 bits and a 1 share the identifier's byte";
    const Chain chain = build(bytes);
    const auto& payload = payload_of<mpeg_quant_matrix_extension>(chain);
    EXPECT_EQ(payload.load_chroma_non_intra_quantiser_matrix.value, 1);
    EXPECT_EQ(payload.chroma_non_intra_quantiser_matrix.value[0], 1);
    EXPECT_EQ(payload.chroma_non_intra_quantiser_matrix.value[63], 64);
    EXPECT_EQ(payload.chroma_non_intra_quantiser_matrix.span, make_span(6, 69));
    EXPECT_EQ(payload.span, make_span(5, 69));
    const Lines lines = lines_of(chain);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Load Intra Quantiser Matrix? No");
    EXPECT_EQ(lines[1], "Load Non-Intra Quantiser Matrix? No");
    EXPECT_EQ(lines[2], "Load Chroma Intra Quantiser Matrix? No");
    EXPECT_EQ(lines[3], "Load Chroma Non-Intra Quantiser Matrix? Yes");
    EXPECT_EQ(lines[4], "Row 1: 1 2 3 4 5 6 7 8 ");
    EXPECT_EQ(lines[11], "Row 8: 57 58 59 60 61 62 63 64 ");
}

TEST(ExtensionHeader, ReadsUnalignedMatricesOneAfterTheOther) {
    Extension intra_and_chroma_intra(3);
    intra_and_chroma_intra.bits(1, 1);
    for (int i = 0; i < 64; ++i) intra_and_chroma_intra.bits(0xF0 | (i & 0x0F), 8);
    intra_and_chroma_intra.bits(0, 1).bits(1, 1);
    for (int i = 0; i < 64; ++i) intra_and_chroma_intra.bits(200 - i, 8);
    intra_and_chroma_intra.bits(0, 1);
    const Chain chain = build(intra_and_chroma_intra.done());
    const auto& payload = payload_of<mpeg_quant_matrix_extension>(chain);
    EXPECT_EQ(payload.intra_quantiser_matrix.value[5], 0xF5);
    EXPECT_EQ(payload.intra_quantiser_matrix.span, make_span(5, 69));
    EXPECT_EQ(payload.load_non_intra_quantiser_matrix.value, 0);
    EXPECT_EQ(payload.chroma_intra_quantiser_matrix.value[63], 137);
    EXPECT_EQ(payload.chroma_intra_quantiser_matrix.span, make_span(69, 133));
    EXPECT_EQ(payload.load_chroma_non_intra_quantiser_matrix.span, 133u * 0x10001u);
    EXPECT_EQ(payload.span, make_span(5, 133));
    const Lines lines = lines_of(chain);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[1], "Row 1: 240 241 242 243 244 245 246 247 ");
    EXPECT_EQ(lines[10], "Load Chroma Intra Quantiser Matrix? Yes");
    EXPECT_EQ(lines[19], "Load Chroma Non-Intra Quantiser Matrix? No");
}

TEST(ExtensionHeader, RendersTheLow32BitsOfTheCopyrightNumberAsASignedValue) {
    const auto copyright = [](unsigned original) {
        return Extension(4).bits(1, 1).bits(0xAB, 8).bits(original, 1).bits(0, 7).bits(1, 1).bits(0xFFFFF, 20)
            .bits(1, 1).bits(0x3FFFFF, 22).bits(1, 1).bits(5, 22).done();
    };
    const Chain chain = build(copyright(1));
    const auto& payload = payload_of<mpeg_copyright_extension>(chain);
    EXPECT_EQ(payload.copyright_number_1.value, 0xFFFFFu);
    EXPECT_EQ(payload.copyright_number_3.value, 5u);
    EXPECT_EQ(payload.copyright_number_3.span, make_span(13, 15));
    EXPECT_EQ(payload.span, make_span(5, 15));
    const Lines expected = {
        "Copyright Flag Set? Yes",
        "Copyright ID: 171 (0xAB)",
        "Original or Copy? Original",
        "Copyright Number: -4194299",  // 0xFFC00005
    };
    EXPECT_EQ(lines_of(chain), expected);
    EXPECT_EQ(lines_of(build(copyright(0)))[2], "Original or Copy? Copy");
}

TEST(ExtensionHeader, RendersTheScalableModeAndOnlyThePartsItCallsFor) {
    EXPECT_EQ(lines_of(build(Extension(5).bits(2, 2).bits(9, 4).bits(0xFF, 8).done())),
              (Lines{"Scalable Mode: SNR Scalability", "Layer ID: 9"}));

    const Chain spatial = build(Extension(5).bits(1, 2).bits(1, 4).bits(352, 14).bits(1, 1).bits(288, 14)
                                    .bits(1, 5).bits(2, 5).bits(17, 5).bits(31, 5).done());
    const Lines spatial_lines = {
        "Scalable Mode: Spatial Scalability",
        "Layer ID: 1",
        "Lower Layer Prediction Size: 352 x 288",
        "Horizontal Subsampling Factor M: 1",
        "Horizontal Subsampling Factor N: 2",
        "Vertical Subsampling Factor M: 17",
        "Vertical Subsampling Factor N: 31",
    };
    EXPECT_EQ(lines_of(spatial), spatial_lines);
    EXPECT_EQ(payload_of<mpeg_sequence_scalable_extension>(spatial).span, make_span(5, 12));

    const Chain muxed = build(Extension(5).bits(3, 2).bits(2, 4).bits(1, 1).bits(1, 1).bits(5, 3).bits(6, 3).done());
    EXPECT_EQ(lines_of(muxed), (Lines{"Scalable Mode: Temporal Scalability", "Layer ID: 2", "Picture MUX Enable? Yes",
                                      "MUX To Progressive Sequence? Yes", "Picture MUX Order: 5",
                                      "Picture MUX Factor: 6"}));
    const Chain unmuxed = build(Extension(5).bits(3, 2).bits(2, 4).bits(0, 1).bits(5, 3).bits(6, 3).done());
    EXPECT_EQ(lines_of(unmuxed), (Lines{"Scalable Mode: Temporal Scalability", "Layer ID: 2",
                                        "Picture MUX Enable? No", "Picture MUX Order: 5", "Picture MUX Factor: 6"}));
}

// f_code 1, 2, 3, 4, DC precision 10 bits, frame picture, the nine flags from
// top_field_first to progressive_frame alternating from 1, then composite_display_flag.
Extension picture_coding(unsigned composite_display_flag) {
    return Extension(8).bits(0x1234, 16).bits(2, 2).bits(3, 2).bits(0b101010101, 9).bits(composite_display_flag, 1);
}

TEST(ExtensionHeader, RendersThePictureCodingExtensionWithoutCompositeDisplay) {
    const Chain chain = build(picture_coding(0).done());
    const Lines expected = {
        "f_code[0][0]: 1",
        "f_code[0][1]: 2",
        "f_code[1][0]: 3",
        "f_code[1][1]: 4",
        "Intra DC Precision: 10 bits",
        "Picture Structure: Frame Picture",
        "Top Field First? Yes",
        "Only Use Frame Prediction & Frame DCT? No",
        "Motion Vectors coded in Intra Macroblocks? Yes",
        "Q-Scale Type? No",
        "Intra VLC Format? Yes",
        "Alternate Scan Pattern? No",
        "Repeat First Field? Yes",
        "Chroma is 4:2:0? No",
        "Progressive Frame? Yes",
    };
    EXPECT_EQ(lines_of(chain), expected);
    const auto& payload = payload_of<mpeg_picture_coding_extension>(chain);
    EXPECT_EQ(payload.f_code[1][1].span, 7u * 0x10001u);
    EXPECT_EQ(payload.composite_display_flag.value, 0);
    EXPECT_EQ(payload.composite_display_flag.span, 9u * 0x10001u);
    EXPECT_EQ(payload.span, make_span(5, 9));
}

TEST(ExtensionHeader, RendersTheCompositeDisplayFieldsWhenFlagged) {
    // v_axis, field sequence 5, sub_carrier 0, burst amplitude 100, phase 128.
    const Chain chain = build(picture_coding(1).bits(1, 1).bits(5, 3).bits(0, 1).bits(100, 7).bits(128, 8).done());
    const Lines lines = lines_of(chain);
    ASSERT_EQ(lines.size(), 20u);
    const Lines composite(lines.end() - 5, lines.end());
    const Lines expected = {
        "V-Axis set? Yes",
        "Field Sequence: Frame 3, Field 6",
        "Sub Carrier Correct? Yes",
        "Burst Amplitude (see Recommendation ITU-R.BT.601): 100",
        "Sub Carrier Phase: 180.000000 degrees",
    };
    EXPECT_EQ(composite, expected);
    const auto& payload = payload_of<mpeg_picture_coding_extension>(chain);
    EXPECT_EQ(payload.sub_carrier_phase.span, make_span(10, 11));
    EXPECT_EQ(payload.span, make_span(5, 11));
}

TEST(ExtensionHeader, KeepsTheSpansOfPayloadsThatRenderNothing) {
    const Chain display = build(followed_by_start_code(Extension(7).bits(0xF, 4).bits(0xFFFF, 16).done(), 0xB5));
    EXPECT_EQ(extension_of(display).payload->span, 5u * 0x10001u) << "only the identifier's byte";
    EXPECT_EQ(display.position, 6 + 4) << "then the bare start code of an empty extension";
    EXPECT_TRUE(lines_of(display).empty());

    const Chain spatial = build(Extension(9).bits(0, 50).done());
    EXPECT_EQ(extension_of(spatial).payload->span, make_span(5, 11));

    const Chain temporal = build(Extension(10).bits(2, 2).bits(1000, 10).bits(1, 1).bits(999, 10).done());
    const auto& references = payload_of<mpeg_picture_temporal_scalable_extension>(temporal);
    EXPECT_EQ(references.forward_temporal_reference.value, 1000);
    EXPECT_EQ(references.backward_temporal_reference.value, 999);
    EXPECT_EQ(references.backward_temporal_reference.span, make_span(7, 8));
    EXPECT_EQ(references.span, make_span(5, 8));

    Extension camera(11);
    camera.bits(0, 1).bits(42, 7);
    for (int i = 0; i < 4; ++i) camera.bits(1, 1).bits(0x3FFFFF, 22);
    for (int i = 0; i < 6; ++i) camera.bits(1, 1).bits(0x8001, 16);
    for (int i = 0; i < 6; ++i) camera.bits(1, 1).bits(i, 22);
    camera.bits(0xFFFFFFFF, 32);
    const Chain cameras = build(camera.done());
    const auto& parameters = payload_of<mpeg_camera_parameters_extension>(cameras);
    EXPECT_EQ(parameters.camera_id.value, 42);
    EXPECT_EQ(parameters.vertical_angle_of_view.value, 0x3FFFFFu);
    EXPECT_EQ(parameters.camera_position_z_lower.value, 0x8001);
    EXPECT_EQ(parameters.image_plane_vertical_z.value, 5u);
    EXPECT_EQ(parameters.reserved_bits.value, 0xFFFFFFFFu);
    EXPECT_TRUE(std::all_of(parameters.marker_bits.begin(), parameters.marker_bits.end(),
                            [](const Field<std::uint8_t>& marker) { return marker.value == 1; }));
    EXPECT_EQ(parameters.span, make_span(5, 51));
    EXPECT_TRUE(lines_of(cameras).empty());
}

TEST(ExtensionHeader, RunsTheItuTPayloadUpToTheNextPrefixOrTheEnd) {
    const Bytes opaque = {0xC1, 0x00, 0x00, 0x02, 0x00};
    Bytes bytes = {0x00, 0x00, 0x01, 0xB5};
    bytes.insert(bytes.end(), opaque.begin(), opaque.end());
    const Chain followed = build(followed_by_start_code(bytes, 0xB8));
    EXPECT_EQ(extension_of(followed).payload->span, make_span(5, 9));
    EXPECT_EQ(extension_of(followed).span, make_span(1, 9));
    ASSERT_NE(followed.first->next, nullptr);
    EXPECT_EQ(followed.first->next->start_code.span, make_span(10, 13));

    const Chain unfollowed = build(bytes);
    EXPECT_EQ(extension_of(unfollowed).payload->span, make_span(5, 9)) << "bounded by the end of the buffer";
    EXPECT_EQ(unfollowed.first->next, nullptr);
    EXPECT_EQ(unfollowed.position, 10);

    const Chain identifier_only = build({0x00, 0x00, 0x01, 0xB5, 0xC0});
    EXPECT_EQ(extension_of(identifier_only).payload->span, 5u * 0x10001u);
}

TEST(ExtensionHeader, KeepsIdentifiersWithoutPayloadClassWithoutPayload) {
    for (const unsigned identifier : {0u, 6u, 13u, 14u, 15u}) {
        // Followed by a bare extension start code, which renders nothing either.
        const Chain chain = build(followed_by_start_code(Extension(identifier).bits(0xABC, 12).done(), 0xB5));
        const auto& header = extension_of(chain);
        EXPECT_EQ(header.extension_start_code_identifier.value, identifier);
        EXPECT_EQ(header.payload, nullptr);
        EXPECT_EQ(header.span, make_span(1, 5));
        ASSERT_NE(header.next, nullptr);
        EXPECT_EQ(header.next->start_code.span, make_span(6, 9)) << identifier;
        EXPECT_TRUE(lines_of(chain).empty());
    }
}

// Every payload kind, cut off at every length: no read past the end (the
// sanitizer build checks), the header stays in the chain and the chain ends.
TEST(ExtensionHeader, SurvivesEveryTruncation) {
    Extension quant(3);
    quant.bits(0b1111, 4);
    for (int i = 0; i < 4 * 64; ++i) quant.bits(i, 8);
    const std::vector<Bytes> whole = {
        sequence_extension,
        Extension(2).bits(0xF, 4).bits(0, 53).done(),
        quant.done(),
        Extension(4).bits(0, 84).done(),
        Extension(5).bits(1, 2).bits(0, 54).done(),
        Extension(5).bits(3, 2).bits(0xF, 4).bits(1, 1).bits(0, 7).done(),
        Extension(8).bits(1, 30).bits(0, 20).done(),
        Extension(9).bits(0, 50).done(),
        Extension(10).bits(0, 23).done(),
        Extension(11).bits(0, 372).done(),
    };
    for (const Bytes& bytes : whole) {
        for (std::size_t size = 4; size < bytes.size(); ++size) {
            // A copy of exactly `size` bytes, so that the sanitizer sees any read beyond it.
            const Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
            const Chain chain = build(cut);
            ASSERT_NE(chain.first, nullptr);
            EXPECT_EQ(chain.first->next, nullptr);
            EXPECT_LE(span_last(extension_of(chain).span), static_cast<int>(size)) << "size " << size;
            EXPECT_LE(chain.position, static_cast<int>(size) + 1);
            lines_of(chain);
        }
    }
}

TEST(ExtensionHeader, ParsesTheExtensionsOfARealStream) {
    std::ifstream file(CUT2EDL_TEST_DATA "/ps-25-720x576-mp2.mpg", std::ios::binary);
    const Bytes stream((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GE(stream.size(), 4096u);
    const Chain chain = build(Bytes(stream.begin(), stream.begin() + 4096));
    std::vector<unsigned> identifiers;
    const mpeg_sequence_extension* sequence = nullptr;
    for (const MPEG_Header* header = chain.first.get(); header; header = header->next.get()) {
        const auto* extension = dynamic_cast<const mpeg_extension_header*>(header);
        if (!extension) continue;
        identifiers.push_back(extension->extension_start_code_identifier.value);
        if (!sequence) sequence = dynamic_cast<const mpeg_sequence_extension*>(extension->payload.get());
    }
    ASSERT_GE(identifiers.size(), 2u);
    EXPECT_EQ(identifiers[0], 1u);
    EXPECT_EQ(identifiers[1], 8u);
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->profile_and_level_indication.value, 0x48);
    EXPECT_EQ(sequence->chroma_format.value, 1);
    EXPECT_EQ(sequence->horizontal_size_extension.value, 0);
}

}  // namespace
}  // namespace cut2edl
