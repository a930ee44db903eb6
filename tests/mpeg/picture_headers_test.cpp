#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chain_support.h"
#include "mpeg/mpeg_group_of_pictures_header.h"
#include "mpeg/mpeg_header.h"
#include "mpeg/mpeg_picture_header.h"
#include "mpeg/mpeg_sequence_header.h"
#include "mpeg/mpeg_slice_header.h"
#include "mpeg/mpeg_user_data_header.h"

namespace cut2edl {
namespace {

template <typename Header>
const Header& first_as(const Chain& chain) {
    EXPECT_NE(chain.first, nullptr);
    return dynamic_cast<const Header&>(*chain.first);
}
// The header lives only as long as its chain.
template <typename Header>
const Header& first_as(const Chain&&) = delete;

// The header's own lines, without those of the headers chained behind it.
Lines own_lines(const MPEG_Header& header) {
    Lines lines;
    header.dump([&lines](std::string_view line) { lines.emplace_back(line); });
    if (header.next) {
        Lines rest;
        header.next->dump([&rest](std::string_view line) { rest.emplace_back(line); });
        lines.resize(lines.size() - rest.size());
    }
    return lines;
}


Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

constexpr field_span byte_span(int n) { return static_cast<field_span>(n) * 0x10001u; }

const Bytes sequence_720x576 = {0x00, 0x00, 0x01, 0xB3, 0x2D, 0x02, 0x40, 0x33, 0xFF, 0xFF, 0xE0, 0x70};
const Bytes gop_zero = {0x00, 0x00, 0x01, 0xB8, 0x00, 0x08, 0x00, 0x00};
// Drop frame, 10:59:30.24, marker set, closed, not broken.
const Bytes gop_closed = {0x00, 0x00, 0x01, 0xB8, 0xAB, 0xBB, 0xCC, 0x40};
// temporal_reference 5, I, vbv_delay 0xFFFF, no extra information.
const Bytes i_picture = {0x00, 0x00, 0x01, 0x00, 0x01, 0x4F, 0xFF, 0xF8};
// temporal_reference 0, B, vbv_delay 0, vectors 0 111 0 111, one extra byte 0xA5.
const Bytes b_picture = {0x00, 0x00, 0x01, 0x00, 0x00, 0x18, 0x00, 0x03, 0xBE, 0x94};
// temporal_reference 3, P, vbv_delay 0x1234, vectors 1 011, no extra information.
const Bytes p_picture = {0x00, 0x00, 0x01, 0x00, 0x00, 0xD0, 0x91, 0xA5, 0x80};
// temporal_reference 1, I, extra bytes 0x12 and 0x34: the header ends on a byte boundary.
const Bytes aligned_picture = {0x00, 0x00, 0x01, 0x00, 0x00, 0x48, 0x00, 0x04, 0x4A, 0x68};
// quantiser_scale_code 21, intra_slice_flag, not intra, id enabled, id 0x2A.
const Bytes slice = {0x00, 0x00, 0x01, 0x01, 0xAD, 0xAB};
const Bytes user_data = {0x00, 0x00, 0x01, 0xB2, 'G', 'A', '9', '4'};

TEST(GroupOfPicturesHeader, ReadsTheTimeCodeAndFlags) {
    const Chain zero_chain = build(gop_zero);
    const auto& zero = first_as<mpeg_group_of_pictures_header>(zero_chain);
    EXPECT_EQ(zero.time_code.value, 1u << 12) << "only the marker bit";
    EXPECT_EQ(zero.closed_gop.value, 0);
    EXPECT_EQ(zero.broken_link.value, 0);
    EXPECT_EQ(own_lines(zero), (Lines{"Drop Frame? No", "Time: 00:00:00.00", "Closed GOP? No", "Broken Link? No"}));

    const Chain closed = build(gop_closed);
    const auto& gop = first_as<mpeg_group_of_pictures_header>(closed);
    EXPECT_EQ(own_lines(gop), (Lines{"Drop Frame? Yes", "Time: 10:59:30.24", "Closed GOP? Yes", "Broken Link? No"}));
    EXPECT_EQ(gop.start_code.span, make_span(1, 4));
    EXPECT_EQ(gop.time_code.span, make_span(5, 8));
    EXPECT_EQ(gop.closed_gop.span, byte_span(8));
    EXPECT_EQ(gop.broken_link.span, byte_span(8));
    EXPECT_EQ(gop.span, make_span(1, 8));
    EXPECT_EQ(closed.position, 9);

    Bytes broken = gop_zero;
    broken[7] = 0x20;
    EXPECT_EQ(own_lines(*build(broken).first)[3], "Broken Link? Yes");
}

TEST(PictureHeader, IPictureReadsNoVectorsAndResumesAtByteEight) {
    const Chain chain = build(concat({i_picture, gop_zero}));
    const auto& picture = first_as<mpeg_picture_header>(chain);
    EXPECT_EQ(picture.temporal_reference.value, 5);
    EXPECT_EQ(picture.picture_coding_type.value, 1);
    EXPECT_EQ(picture.vbv_delay.value, 0xFFFF);
    EXPECT_EQ(picture.extra, nullptr);
    EXPECT_EQ(picture.temporal_reference.span, make_span(5, 6));
    EXPECT_EQ(picture.picture_coding_type.span, byte_span(6));
    EXPECT_EQ(picture.vbv_delay.span, make_span(6, 8));
    EXPECT_EQ(picture.full_pel_forward_vector.span, 0u);
    EXPECT_EQ(picture.span, make_span(1, 8));
    EXPECT_EQ(own_lines(picture), (Lines{"Temporal Reference: 5", "Picture Coding Type: Intra-coded (I)",
                                         "VBV Delay: 65535 x 90kHz", "Full PEL Forward Vector (should be 0): 0",
                                         "Forward F Code (should be 7): 0", "Full PEL Backward Vector (should be 0): 0",
                                         "Backward F Code (should be 7): 0"}));
    ASSERT_NE(picture.next, nullptr) << "a GOP right behind byte 7 is found";
    EXPECT_EQ(picture.next->start_code.span, make_span(9, 12));
}

TEST(PictureHeader, BPictureReadsBothVectorsThenTheExtraInformation) {
    const Chain chain = build(concat({b_picture, slice}));
    const auto& picture = first_as<mpeg_picture_header>(chain);
    EXPECT_EQ(picture.picture_coding_type.value, 3);
    EXPECT_EQ(picture.full_pel_forward_vector.value, 0);
    EXPECT_EQ(picture.forward_f_code.value, 7);
    EXPECT_EQ(picture.full_pel_backward_vector.value, 0);
    EXPECT_EQ(picture.backward_f_code.value, 7);
    EXPECT_EQ(picture.full_pel_forward_vector.span, byte_span(8));
    EXPECT_EQ(picture.forward_f_code.span, make_span(8, 9));
    EXPECT_EQ(picture.backward_f_code.span, byte_span(9));
    ASSERT_NE(picture.extra, nullptr);
    EXPECT_EQ(picture.extra->extra_information_picture.value, 0xA5);
    EXPECT_EQ(picture.extra->extra_information_picture.span, make_span(9, 10));
    EXPECT_EQ(picture.extra->span, make_span(9, 10));
    EXPECT_EQ(picture.extra->next, nullptr);
    EXPECT_EQ(picture.span, make_span(1, 10));
    const Lines lines = own_lines(picture);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[1], "Picture Coding Type: Bidirectionally-predictive-coded (B)");
    EXPECT_EQ(lines[4], "Forward F Code (should be 7): 7");
    EXPECT_EQ(lines[6], "Backward F Code (should be 7): 7");
    EXPECT_EQ(lines[7], "165");
    EXPECT_EQ(kinds_of(chain), (std::vector<std::uint8_t>{0x00, 0x01}));
}

TEST(PictureHeader, PPictureReadsOnlyTheForwardVector) {
    const Chain chain = build(p_picture);
    const auto& picture = first_as<mpeg_picture_header>(chain);
    EXPECT_EQ(picture.temporal_reference.value, 3);
    EXPECT_EQ(picture.vbv_delay.value, 0x1234);
    EXPECT_EQ(picture.full_pel_forward_vector.value, 1);
    EXPECT_EQ(picture.forward_f_code.value, 3);
    EXPECT_EQ(picture.backward_f_code.value, 0);
    EXPECT_EQ(picture.extra, nullptr) << "the bit behind forward_f_code is the first extra bit";
    EXPECT_EQ(own_lines(picture)[2], "VBV Delay: 4660 x 90kHz");
}

// When the extra information ends exactly on a byte boundary, the next start
// code begins at the byte under the cursor; it must not be skipped.
TEST(PictureHeader, FindsAStartCodeRightBehindAByteAlignedHeader) {
    const Chain chain = build(concat({aligned_picture, gop_zero}));
    const auto& picture = first_as<mpeg_picture_header>(chain);
    ASSERT_NE(picture.extra, nullptr);
    ASSERT_NE(picture.extra->next, nullptr);
    EXPECT_EQ(picture.extra->extra_information_picture.value, 0x12);
    EXPECT_EQ(picture.extra->next->extra_information_picture.value, 0x34);
    EXPECT_EQ(picture.extra->next->span, make_span(9, 10));
    const Lines lines = own_lines(picture);
    EXPECT_EQ((Lines{lines.end() - 2, lines.end()}), (Lines{"18", "52"}));
    EXPECT_EQ(kinds_of(chain), (std::vector<std::uint8_t>{0x00, 0xB8}));
    EXPECT_EQ(picture.next->start_code.span, make_span(11, 14));
}

TEST(PictureHeader, ReservedCodingTypeReadsNoVectors) {
    const Chain chain = build({0x00, 0x00, 0x01, 0x00, 0x00, 0x38, 0x00, 0x00});
    const auto& picture = first_as<mpeg_picture_header>(chain);
    EXPECT_EQ(picture.picture_coding_type.value, 7);
    EXPECT_EQ(own_lines(picture)[1], "Picture Coding Type: Reserved");
}

// Every bit behind the fixed syntax is 1: the extra-information loop runs to
// the end of the buffer, one byte per nine bits.
TEST(PictureHeader, ExtraInformationStopsAtTheEndOfTheBuffer) {
    Bytes bytes(4096, 0xFF);
    bytes[0] = bytes[1] = 0x00;
    bytes[2] = 0x01;
    bytes[3] = 0x00;
    const Chain chain = build(bytes);
    const auto& picture = first_as<mpeg_picture_header>(chain);
    EXPECT_EQ(picture.forward_f_code.value, 0) << "type 7 reads no vectors";
    std::size_t count = 0;
    for (const mpeg_picture_extra* byte = picture.extra.get(); byte; byte = byte->next.get()) ++count;
    EXPECT_EQ(count, 3634u);  // (4092 * 8 - 29) / 9
    EXPECT_EQ(picture.next, nullptr);
    const Lines lines = own_lines(picture);
    ASSERT_EQ(lines.size(), 7u + 3634u);
    EXPECT_EQ(lines.back(), "255");
}

TEST(PictureHeader, ReleasesAVeryLongExtraListWithoutRecursion) {
    Bytes bytes(1 << 20, 0xFF);
    bytes[0] = bytes[1] = 0x00;
    bytes[2] = 0x01;
    bytes[3] = 0x00;
    Chain chain = build(bytes);
    chain.first->dump(discard_line);
    chain.first.reset();
}

TEST(SliceHeader, ReadsItsFieldsAtFixedPlacesForEveryCode) {
    for (const std::uint8_t code : {0x01, 0xAF}) {
        Bytes bytes = slice;
        bytes[3] = code;
        const Chain chain = build(bytes);
        const auto& header = first_as<mpeg_slice_header>(chain);
        EXPECT_EQ(header.kind(), code);
        EXPECT_EQ(header.quantiser_scale_code.value, 21);
        EXPECT_EQ(header.intra_slice_flag.span, byte_span(5));
        EXPECT_EQ(header.slice_picture_id.span, byte_span(6));
        EXPECT_EQ(header.span, make_span(1, 6));
        EXPECT_EQ(own_lines(header), (Lines{"Quantiser Scale Code: 21", "Slice Extension Flag? Yes", "Intra Slice? No",
                                            "Slice Picture ID Enabled? Yes", "Slice Picture ID: 0x2A"}));
    }
}

TEST(SliceHeader, ResumesTheSearchAtItsLastByte) {
    // slice_picture_id 0 and its byte starts the next prefix.
    const Chain chain = build(concat({{0x00, 0x00, 0x01, 0xAF, 0x08}, gop_zero}));
    EXPECT_EQ(kinds_of(chain), (std::vector<std::uint8_t>{0xAF, 0xB8}));
    // The slice consumed six bytes on the counter, though the GOP begins at its sixth.
    EXPECT_EQ(chain.first->next->start_code.span, make_span(7, 10));
}

TEST(UserDataHeader, RendersNothingAndSearchesThroughItsData) {
    const Chain chain = build(concat({user_data, gop_zero}));
    const auto& header = first_as<mpeg_user_data_header>(chain);
    EXPECT_EQ(header.span, make_span(1, 4));
    EXPECT_TRUE(own_lines(header).empty());
    ASSERT_NE(header.next, nullptr);
    // The search over the user data does not move the counter.
    EXPECT_EQ(header.next->start_code.span, make_span(5, 8));
}

TEST(PictureLayerHeaders, ChainInBufferOrderOnTheRunningCounter) {
    const Chain chain = build(concat({sequence_720x576, gop_closed, i_picture, slice, user_data, b_picture}));
    EXPECT_TRUE(chain.notices.empty());
    EXPECT_EQ(kinds_of(chain), (std::vector<std::uint8_t>{0xB3, 0xB8, 0x00, 0x01, 0xB2, 0x00}));
    std::vector<field_span> spans;
    for (const MPEG_Header* header = chain.first.get(); header; header = header->next.get()) {
        spans.push_back(header->start_code.span);
    }
    // 12 + 8 + 8 + 6 + 4 bytes consumed before the B picture; the user data is not counted.
    EXPECT_EQ(spans, (std::vector<field_span>{make_span(1, 4), make_span(13, 16), make_span(21, 24),
                                              make_span(29, 32), make_span(35, 38), make_span(39, 42)}));
    EXPECT_EQ(chain.position, 49);
}

// Cut off at every length, each header stays in the chain with what it could
// read, ends the chain and never reads past the end (ASan guards the copies).
TEST(PictureLayerHeaders, TruncationAtEveryLengthEndsTheChain) {
    for (const Bytes& whole : {gop_closed, i_picture, b_picture, p_picture, aligned_picture, slice, user_data}) {
        for (std::size_t length = 4; length <= whole.size(); ++length) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            const Chain chain = build(cut);
            ASSERT_NE(chain.first, nullptr) << "code " << int(whole[3]) << ", length " << length;
            EXPECT_EQ(chain.first->kind(), whole[3]);
            EXPECT_EQ(chain.first->next, nullptr);
            EXPECT_LE(chain.position, 1 + static_cast<int>(length));
            chain.first->dump(discard_line);
        }
    }
}

TEST(PictureLayerHeaders, ATruncatedPictureKeepsTheFieldsItCouldRead) {
    const Chain chain = build(Bytes(i_picture.begin(), i_picture.begin() + 7));
    const auto& picture = first_as<mpeg_picture_header>(chain);
    EXPECT_EQ(picture.temporal_reference.value, 5);
    EXPECT_EQ(picture.picture_coding_type.value, 1);
    EXPECT_EQ(picture.vbv_delay.value, 0);
    EXPECT_EQ(picture.vbv_delay.span, 0u);
    EXPECT_EQ(chain.position, 7);
}

}  // namespace
}  // namespace cut2edl
