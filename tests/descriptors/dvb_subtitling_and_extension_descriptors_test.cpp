#include <gtest/gtest.h>

#include "descriptor_support.h"
#include "descriptors/extension_descriptor.h"
#include "descriptors/stream_identifier_descriptor.h"
#include "descriptors/subtitling_descriptor.h"

// The DVB subtitle services and the extension descriptor, from hand-made bytes.
namespace cut2edl {
namespace {

TEST(SubtitlingDescriptor, RendersEachService) {
    // Italian, normal subtitles on page 1; English for the hard of hearing on
    // page 2, sharing page 3.
    const Loop loop = parse_loop({0x59, 0x10, 'i', 't', 'a', 0x10, 0x00, 0x01, 0x00, 0x01,
                                  'e', 'n', 'g', 0x20, 0x00, 0x02, 0x00, 0x03});
    const auto& subtitles = descriptor_at<subtitling_descriptor>(loop);
    ASSERT_NE(subtitles.first_item, nullptr);
    EXPECT_EQ(subtitles.first_item->ancillary_page_id.span, make_span(9, 10));
    EXPECT_EQ(lines_of(loop),
              (Lines{"ISO_639_language_code: ita",
                     "subtitling_type: 0x10 (DVB subtitles (normal) with no monitor aspect ratio criticality)",
                     "composition_page_id: 0x0001 (1)", "ancillary_page_id: 0x0001 (1)",
                     "ISO_639_language_code: eng",
                     "subtitling_type: 0x20 (DVB subtitles (for the hard of hearing) with no monitor aspect "
                     "ratio criticality)",
                     "composition_page_id: 0x0002 (2)", "ancillary_page_id: 0x0003 (3)"}));
}

TEST(SubtitlingDescriptor, BytesTooFewForAServiceAreLeftUnread) {
    // Ten bytes: one service and two over; the stream identifier follows them.
    const Loop loop = parse_loop({0x59, 0x0A, 'd', 'e', 'u', 0x13, 0x00, 0x05, 0x00, 0x05, 0xAB, 0xCD,
                                  0x52, 0x01, 0x02});
    const auto& subtitles = descriptor_at<subtitling_descriptor>(loop);
    ASSERT_NE(subtitles.first_item, nullptr);
    EXPECT_EQ(subtitles.first_item->next, nullptr);
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(loop, 1).span, make_span(13, 15));
}

TEST(ExtensionDescriptor, NamesTheExtensionAndKeepsItsBody) {
    // supplementary_audio_descriptor with two bytes of its own.
    const Loop loop = parse_loop({0x7F, 0x03, 0x06, 0x41, 0x00});
    EXPECT_EQ(descriptor_at<extension_descriptor>(loop).selector_byte.value, (Bytes{0x41, 0x00}));
    EXPECT_EQ(lines_of(loop), (Lines{"descriptor_tag_extension: 0x06 (supplementary_audio_descriptor)",
                                     "selector_byte: 0x41 0x00"}));
    EXPECT_EQ(lines_of(parse_loop({0x7F, 0x01, 0x04})),
              Lines{"descriptor_tag_extension: 0x04 (T2_delivery_system_descriptor)"});
    EXPECT_EQ(lines_of(parse_loop({0x7F, 0x01, 0x12})),
              Lines{"descriptor_tag_extension: 0x12 (reserved for future use)"});
    EXPECT_EQ(lines_of(parse_loop({0x7F, 0x01, 0x80})), Lines{"descriptor_tag_extension: 0x80 (user defined)"});
    // No extension tag, so no name: 0 would be the image icon's.
    EXPECT_EQ(lines_of(parse_loop({0x7F, 0x00})), Lines{});
}

}  // namespace
}  // namespace cut2edl
