#include <gtest/gtest.h>

#include "descriptor_support.h"
#include "descriptors/association_descriptor.h"
#include "descriptors/carousel_identifier_descriptor.h"
#include "descriptors/registration_descriptor.h"
#include "descriptors/smoothing_buffer_descriptor.h"
#include "descriptors/video_stream_descriptor.h"

// The descriptors of ISO/IEC 13818-1 (and the DSM-CC ones that broadcasters
// put beside them), from hand-made bytes.
namespace cut2edl {
namespace {

TEST(VideoStreamDescriptor, AnMpeg1OnlyStreamTakesThreeBytesWhateverItsLengthSays) {
    // 1 0100 1 0 1: multiple frame rates, code 4, MPEG-1 only, still pictures.
    const Loop loop = parse_loop({0x02, 0x05, 0xA5, 0x52, 0x01, 0x0C});
    const auto& video = descriptor_at<video_stream_descriptor>(loop);
    EXPECT_EQ(video.span, make_span(1, 3));
    EXPECT_EQ(length_of(loop), 2);
    EXPECT_EQ(lines_of(loop), (Lines{"Multiple Frame Rate: Yes", "Frame Rate: 29.97 fps", "MPEG-1 Only: Yes",
                                     "Constrained Parameters: No", "Still Picture: Yes",
                                     "Profile and Level: (Reserved) Profile @ (Reserved) Level",
                                     "Chroma Format: reserved", "Frame Rate Extension: No", "component_tag: 12 (0x0C)"}));
}

TEST(VideoStreamDescriptor, AnMpeg2StreamTakesFiveBytes) {
    const Loop loop = parse_loop({0x02, 0x03, 0x1A, 0x48, 0x5F, 0x52, 0x01, 0x0C});
    const auto& video = descriptor_at<video_stream_descriptor>(loop);
    EXPECT_EQ(video.profile_and_level_indication.span, make_span(4, 4));
    EXPECT_EQ(video.chroma_format.value, 1);
    EXPECT_EQ(video.reserved.value, 0x1F);
    EXPECT_EQ(descriptor_at<Descriptor>(loop, 1).span, make_span(6, 8));
}

TEST(Iso13818Descriptors, RenderTheirFields) {
    const Lines lines = lines_of(parse_loop({
        0x03, 0x01, 0x67,                                      // audio stream: ID 1, layer II
        0x05, 0x06, 'C', 'U', 'E', 'I', 0x01, 0xFF,            // registration with two more bytes
        0x06, 0x01, 0x02,                                      // alignment: access unit
        0x0B, 0x02, 0xC5, 0x5F,                                // system clock: external, 5 x 10^2
        0x0C, 0x04, 0x92, 0x34, 0x8A, 0xBC,                    // bounds 0x1234 and 0x0ABC, valid
        0x0D, 0x05, 0x00, 0x00, 0x00, 0x2A, 0x99,              // copyright 0x2A
        0x0E, 0x03, 0xC0, 0x00, 0x02,                          // maximum bitrate 2 x 50
        0x10, 0x06, 0xC0, 0x03, 0xE8, 0xFF, 0xFF, 0xFF,        // leak rate 1000 x 400, size 2^22 - 1
    }));
    EXPECT_EQ(lines, (Lines{"Free Format: No", "ID: 1", "Layer: Layer II", "Variable Rate Audio: No",
                            "Format Identifier: 0x43554549", "Additional Identification Info: 0x01 0xFF ",
                            "Alignment Type: Video: Video Access Unit, Audio: reserved", "External Clock: Yes",
                            "Clock Accuracy: 5 x 10^(2) ppm", "Bound Valid: Yes", "Lower Bound: 4660",
                            "Upper Bound: 2748", "Copyright Identifier: 0x002A", "Additional Copyright Info: 0x99 ",
                            "Maximum Bitrate: 100 bytes/sec", "Leak Rate: 400000 bits/sec",
                            "Buffer Size: 4194303 bytes"}));
}

TEST(Iso13818Descriptors, AnIdentifierWithoutFurtherBytesRendersAnEmptyList) {
    const Loop loop = parse_loop({0x05, 0x04, 'A', 'C', '-', '3', 0x6A, 0x01, 0x00});
    const auto& registration = descriptor_at<registration_descriptor>(loop);
    EXPECT_EQ(registration.format_identifier.span, make_span(3, 6));
    EXPECT_TRUE(registration.additional_identification_info.value.empty());
    EXPECT_EQ(lines_of(loop), (Lines{"Format Identifier: 0x41432D33", "Additional Identification Info: "}));
    const Loop buffer = parse_loop({0x10, 0x06, 0xC0, 0x03, 0xE8, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(descriptor_at<smoothing_buffer_descriptor>(buffer).sb_size.span, make_span(6, 8));
}

TEST(CarouselIdentifierDescriptor, StandardBootKeepsItsPrivateBytes) {
    const Loop loop = parse_loop({0x13, 0x07, 0xFF, 0xFF, 0xFF, 0xFE, 0x00, 0xAA, 0xBB});
    EXPECT_EQ(lines_of(loop), (Lines{"Carousel ID: 0xFFFFFFFE (4294967294)", "Format ID: 0x00 (Standard Boot)",
                                     "Private Data Bytes: 0xAA 0xBB "}));
    EXPECT_EQ(lines_of(parse_loop({0x13, 0x05, 0x00, 0x00, 0x00, 0x3D, 0x00})),
              (Lines{"Carousel ID: 0x003D (61)", "Format ID: 0x00 (Standard Boot)"}));
    EXPECT_EQ(lines_of(parse_loop({0x13, 0x06, 0x00, 0x00, 0x00, 0x3D, 0x02, 0x77})),
              (Lines{"Carousel ID: 0x003D (61)", "Format ID: 0x02 (Enhanced Boot)"}));
}

TEST(CarouselIdentifierDescriptor, EnhancedBootLocatesItsModule) {
    const Loop loop = parse_loop({0x13, 0x18, 0x00, 0x00, 0x00, 0x01, 0x01,      // carousel 1, enhanced boot
                                  0x02, 0x00, 0x0A, 0x10, 0x00,                 // version 2, module 10, block 4096
                                  0x80, 0x00, 0x00, 0x00, 0x08,                 // module 2^31, zlib
                                  0x80, 0x00, 0x00, 0x01, 0x05, 0x02, 0xAB, 0xCD, 0xEE});
    const auto& carousel = descriptor_at<carousel_identifier_descriptor>(loop);
    EXPECT_EQ(carousel.object_key_data.span, make_span(24, 25));
    EXPECT_EQ(lines_of(loop), (Lines{"Carousel ID: 0x0001 (1)", "Format ID: 0x01 (Enhanced Boot)",
                                     "Module Version: 0x0002", "Module ID: 0x0A", "Block Size: 4096 bytes",
                                     "Module Size: 2147483648 bytes", "Compression Method: 0x08 (see RFC 1950)",
                                     "Original Size: 2147483649 bytes", "Time Out: 5 seconds",
                                     "Object Key Data: 0xAB 0xCD ", "Private Data Bytes: 0xEE "}));
}

TEST(AssociationDescriptor, ItsSelectorDependsOnTheUse) {
    EXPECT_EQ(lines_of(parse_loop({0x14, 0x07, 0x00, 0x0B, 0x00, 0x01, 0x00, 0xCC, 0xDD})),
              (Lines{"Association Tag: 0x0B", "Use: 0x0001", "Private Data: 0xCC 0xDD "}));
    const Loop selector = parse_loop({0x14, 0x08, 0x00, 0x0C, 0x00, 0x02, 0x02, 0x01, 0x02, 0xEE});
    EXPECT_EQ(lines_of(selector),
              (Lines{"Association Tag: 0x0C", "Use: 0x0002", "Selector: 0x01 0x02 ", "Private Data: 0xEE "}));
    EXPECT_EQ(descriptor_at<association_descriptor>(selector).selector_byte.span, make_span(8, 9));
    // A selector length beyond the body: no negative count of private bytes.
    EXPECT_EQ(lines_of(parse_loop({0x14, 0x06, 0x00, 0x0C, 0x00, 0x02, 0xF0, 0x01})),
              (Lines{"Association Tag: 0x0C", "Use: 0x0002", "Selector: 0x01 "}));
}

}  // namespace
}  // namespace cut2edl
