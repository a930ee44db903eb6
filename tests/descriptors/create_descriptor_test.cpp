#include <gtest/gtest.h>

#include <set>

#include "descriptor_support.h"
#include "descriptors/ISO_639_language_descriptor.h"
#include "descriptors/service_descriptor.h"
#include "descriptors/stream_identifier_descriptor.h"
#include "descriptors/teletext_descriptor.h"
#include "descriptors/terrestrial_delivery_system_descriptor.h"
#include "descriptors/user_private_data_descriptor.h"
#include "descriptors/video_stream_descriptor.h"

namespace cut2edl {
namespace {

TEST(CreateDescriptor, ChainsTheLoopAndMovesTheCounterOverIt) {
    const Loop loop = parse_loop({0x0A, 0x04, 'd', 'e', 'u', 0x00, 0x52, 0x01, 0x05});
    const auto& language = descriptor_at<ISO_639_language_descriptor>(loop);
    EXPECT_EQ(language.span, make_span(1, 6));
    EXPECT_EQ(language.descriptor_tag.span, make_span(1, 1));
    EXPECT_EQ(language.descriptor_length.span, make_span(2, 2));
    ASSERT_NE(language.first_item, nullptr);
    EXPECT_EQ(language.first_item->span, make_span(3, 6));
    EXPECT_EQ(language.first_item->ISO_639_language_code.span, make_span(3, 5));
    EXPECT_EQ(language.first_item->next, nullptr);
    const auto& identifier = descriptor_at<stream_identifier_descriptor>(loop, 1);
    EXPECT_EQ(identifier.component_tag.value, 5);
    EXPECT_EQ(identifier.span, make_span(7, 9));
    EXPECT_EQ(identifier.next, nullptr);
    EXPECT_EQ(loop.position, 10);
    EXPECT_EQ(lines_of(loop),
              (Lines{"ISO 639 Language Descriptor", "Language Code: deu", "Audio Type: Undefined", "component_tag: 5 (0x05)"}));
}

TEST(CreateDescriptor, StuffingTagEndsTheLoopWithOneNotice) {
    const Loop loop = parse_loop({0x52, 0x01, 0x01, 0x52, 0x01, 0x02, 0xFF, 0x00, 0x52, 0x01, 0x03});
    EXPECT_EQ(length_of(loop), 2);
    EXPECT_EQ(loop.notices, std::vector<std::string>{"0xFF found where it shouldn't be!  Major prob, Zub!"});
    EXPECT_EQ(parse_loop({0xFF, 0x00}).first, nullptr);
}

TEST(CreateDescriptor, TagsWithoutAClassOfTheirOwnKeepTheirBodyAsBytes) {
    const std::set<int> classed = {0x02, 0x03, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x10, 0x13,
                                   0x14, 0x1C, 0x28, 0x2A, 0x2B, 0x38, 0x40, 0x41, 0x45, 0x48, 0x49, 0x4A, 0x4D,
                                   0x4E, 0x50, 0x52, 0x54, 0x55, 0x56, 0x58, 0x59, 0x5A, 0x5D, 0x5F, 0x62, 0x64,
                                   0x66, 0x6A, 0x6F, 0x7A, 0x7B, 0x7C, 0x7F, 0x83};
    for (int tag = 0; tag < 0xFF; ++tag) {
        const Loop loop = parse_loop({static_cast<std::uint8_t>(tag), 0x03, 0x0A, 0x0B, 0x0C});
        const auto* unclassed = dynamic_cast<const user_private_data_descriptor*>(loop.first.get());
        EXPECT_EQ(unclassed != nullptr, classed.count(tag) == 0) << std::hex << tag;
        if (unclassed) {
            EXPECT_EQ(unclassed->data_byte.value, (Bytes{0x0A, 0x0B, 0x0C}));
        }
    }
    EXPECT_EQ(lines_of(parse_loop({0x80, 0x02, 0x12, 0xAB})), Lines{"Data Bytes: 0x12 0xAB"});
    EXPECT_EQ(lines_of(parse_loop({0x80, 0x00})), Lines{});
}

TEST(CreateDescriptor, ContentSizedDescriptorsNeverReachBeyondTheLoop) {
    // Provider name length 16, but only two bytes of it in the loop.
    const Loop service = parse_loop({0x48, 0x14, 0x01, 0x10, 'A', 'B'});
    const auto& names = descriptor_at<service_descriptor>(service);
    EXPECT_EQ(names.service_provider_name.value, "AB");
    EXPECT_EQ(names.service_name_length.value, 0);
    EXPECT_EQ(names.next, nullptr);
    EXPECT_EQ(service.position, 7);
    // An MPEG-2 video stream descriptor needs 5 bytes; the loop has 3.
    const Loop video = parse_loop({0x02, 0x03, 0x1A});
    EXPECT_EQ(descriptor_at<video_stream_descriptor>(video).frame_rate_code.value, 3);
    EXPECT_EQ(video.position, 4);
}

TEST(CreateDescriptor, LengthSizedDescriptorsReadOnlyTheirOwnBytes) {
    // Cut off by the loop: read as far as its bytes go.
    const Loop cut = parse_loop({0x5A, 0x0B, 0x02, 0xD3, 0x44, 0x40});
    EXPECT_EQ(descriptor_at<terrestrial_delivery_system_descriptor>(cut).centre_frequency.value, 47400000u);
    EXPECT_EQ(cut.position, 7);
    // A length shorter than the fields: the next descriptor's bytes stay its own.
    const Loop short_body = parse_loop({0x52, 0x00, 0x52, 0x01, 0x07});
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(short_body, 0).component_tag.value, 0);
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(short_body, 1).component_tag.value, 7);
    EXPECT_EQ(descriptor_at<stream_identifier_descriptor>(short_body, 1).span, make_span(3, 5));
    // A lone tag byte.
    const Loop lone = parse_loop({0x52});
    EXPECT_EQ(length_of(lone), 1);
    EXPECT_EQ(lone.position, 2);
}

TEST(CreateDescriptor, ABackgroundGridHidesNoneOfTheDescriptorsBehindIt) {
    EXPECT_EQ(lines_of(parse_loop({0x07, 0x04, 0x2D, 0x02, 0x40, 0x23, 0x52, 0x01, 0x09})),
              Lines{"component_tag: 9 (0x09)"});
}

TEST(CreateDescriptor, LongLoopsAreBuiltAndReleasedWithoutDeepRecursion) {
    Bytes bytes;
    for (int i = 0; i < 200000; ++i) bytes.insert(bytes.end(), {0x80, 0x00});
    Loop loop = parse_loop(bytes);
    EXPECT_EQ(length_of(loop), 200000);
    EXPECT_TRUE(lines_of(loop).empty());
    loop.first.reset();
}

TEST(CreateDescriptor, ItemsRenderThroughTheChildSinkTheCallerChooses) {
    const Loop loop = parse_loop({0x56, 0x05, 'e', 'n', 'g', 0x17, 0x78});
    Lines lines;
    const LineSink sink = [&lines](std::string_view line) { lines.emplace_back(line); };
    const ChildSink indent = [](const LineSink& parent) -> LineSink {
        return [&parent](std::string_view line) { parent("  " + std::string(line)); };
    };
    loop.first->dump(sink, indent);
    EXPECT_EQ(lines, (Lines{"  ISO_639_language_code: eng", "  teletext_type: 0x02 (teletext subtitle page)",
                            "  magazine: 7, page: 120"}));
}

}  // namespace
}  // namespace cut2edl

namespace cut2edl {
namespace {

TEST(DescriptorHeading, NamesTheClassTheTagInHexAndDecimalAndTheLength) {
    const Loop loop = parse_loop({0x52, 0x01, 0x02, 0x90, 0x03, 0x01, 0x02, 0x03, 0x0A, 0x00});
    EXPECT_EQ(descriptor_heading(*loop.first), "stream_identifier_descriptor (tag 0x52 = 82, 1 byte)");
    EXPECT_EQ(descriptor_heading(*loop.first->next), "descriptor 0x90 = 144 (3 bytes)");
    EXPECT_EQ(descriptor_heading(*loop.first->next->next), "ISO_639_language_descriptor (tag 0x0A = 10, 0 bytes)");
    Lines lines;
    loop.first->dump([&lines](std::string_view line) { lines.emplace_back(line); }, same_sink, headed_descriptor);
    EXPECT_EQ(lines, (Lines{"stream_identifier_descriptor (tag 0x52 = 82, 1 byte)", "  component_tag: 2 (0x02)",
                            "descriptor 0x90 = 144 (3 bytes)", "  Data Bytes: 0x01 0x02 0x03",
                            "ISO_639_language_descriptor (tag 0x0A = 10, 0 bytes)"}));
}

}  // namespace
}  // namespace cut2edl
