#include <gtest/gtest.h>

#include "descriptor_support.h"
#include "descriptors/extended_event_descriptor.h"
#include "descriptors/network_name_descriptor.h"
#include "descriptors/service_descriptor.h"
#include "descriptors/service_list_descriptor.h"
#include "descriptors/teletext_descriptor.h"

// The descriptors of ETSI EN 300 468, from hand-made bytes.
namespace cut2edl {
namespace {

TEST(DvbDescriptors, TextsStopAtTheirFirstZeroByteButSpanTheirLength) {
    const Loop loop = parse_loop({0x40, 0x05, 'A', 'B', 0x00, 'C', 'D'});
    const auto& name = descriptor_at<network_name_descriptor>(loop);
    EXPECT_EQ(name.network_name.value, "AB");
    EXPECT_EQ(name.network_name.span, make_span(3, 7));
    EXPECT_EQ(lines_of(loop), (Lines{"Network Name Descriptor", "Name: AB"}));
}

TEST(ServiceDescriptor, IsSizedByItsNames) {
    const Loop empty = parse_loop({0x48, 0x09, 0x01, 0x00, 0x00, 0x52, 0x01, 0x03});
    EXPECT_EQ(descriptor_at<service_descriptor>(empty).span, make_span(1, 5));
    EXPECT_EQ(lines_of(empty), (Lines{"service_type: 1 (digital television service)", "Service Provider Name: ",
                                      "Service Name: ", "component_tag: 3 (0x03)"}));
    const Loop named = parse_loop({0x48, 0x0A, 0x01, 0x03, 'R', 'A', 'I', 0x04, 'R', 'a', 'i', '1'});
    EXPECT_EQ(descriptor_at<service_descriptor>(named).service_name.span, make_span(9, 12));
    EXPECT_EQ(lines_of(named), (Lines{"service_type: 1 (digital television service)", "Service Provider Name: RAI",
                                      "Service Name: Rai1"}));
}

TEST(MultilingualServiceNameDescriptor, KeepsTheFirstEntryAndEndsWhereItsLengthSays) {
    const Loop loop = parse_loop({0x5D, 0x10, 'e', 'n', 'g', 0x01, 'P', 0x02, 'S', '1',
                                  'f', 'r', 'a', 0x01, 'Q', 0x02, 'T', '2', 0x52, 0x01, 0x04});
    EXPECT_EQ(length_of(loop), 2);
    EXPECT_EQ(lines_of(loop), (Lines{"ISO 639 Language Code: eng", "Service Provider Name: P", "Service Name: S1",
                                     "component_tag: 4 (0x04)"}));
}

TEST(DvbDescriptors, EventDescriptorsRenderTheirTexts) {
    EXPECT_EQ(lines_of(parse_loop({0x4D, 0x0C, 'i', 't', 'a', 0x03, 'T', 'G', '1', 0x04, 'N', 'e', 'w', 's'})),
              (Lines{"Language: ita", "Event Name: TG1", "Text: News"}));
    const Bytes extended = {0x4E, 0x13, 0x01, 'e', 'n', 'g', 0x0B, 0x08, 'D', 'i', 'r', 'e', 'c', 't', 'o', 'r',
                            0x01, 'X', 0x02, 'O', 'K'};
    const Loop loop = parse_loop(extended);
    const auto& event = descriptor_at<extended_event_descriptor>(loop);
    EXPECT_EQ(event.last_descriptor_number.value, 1);
    ASSERT_NE(event.first_item, nullptr);
    EXPECT_EQ(event.first_item->span, make_span(8, 18));
    EXPECT_EQ(event.text.span, make_span(20, 21));
    EXPECT_EQ(lines_of(loop), (Lines{"Language: eng", "Item Description: Director", "Item: X", "Text: OK"}));
    EXPECT_EQ(lines_of(parse_loop({0x4E, 0x06, 0x00, 'e', 'n', 'g', 0x00, 0x00})), Lines{"Language: eng"});
}

TEST(DvbDescriptors, ServiceAndChannelListsRenderEveryItem) {
    const Lines lines = lines_of(parse_loop({
        0x41, 0x06, 0x00, 0x01, 0x01, 0x00, 0x02, 0x0C,                      // two services
        0x49, 0x07, 0xFF, 'I', 'T', 'A', 'F', 'R', 'A',                      // available in two countries
        0x83, 0x08, 0x00, 0x01, 0xFC, 0x01, 0x00, 0x02, 0xFC, 0x0A,          // channels 1 and 10
        0x62, 0x09, 0xFF, 0x02, 0xD3, 0x44, 0x40, 0x03, 0x28, 0xB7, 0x40,    // 474 and 530 MHz
    }));
    EXPECT_EQ(lines, (Lines{"Service List Item", "Service ID: 0x0001", "Service Type: digital television service",
                            "Service List Item", "Service ID: 0x0002", "Service Type: data broadcast service",
                            "service available: yes", "ITA", "FRA", "Service ID: 1 (0x01)",
                            "Logical Channel Number: 1", "Service ID: 2 (0x02)", "Logical Channel Number: 10",
                            "Coding Type: terrestrial", "centre_frequency: 474.000 MHz",
                            "centre_frequency: 530.000 MHz"}));
}

TEST(DvbDescriptors, ListItemsStayInsideTheirDescriptor) {
    const Loop leftover = parse_loop({0x41, 0x04, 0x00, 0x01, 0x01, 0xFF, 0x52, 0x01, 0x06});
    const auto& services = descriptor_at<service_list_descriptor>(leftover);
    ASSERT_NE(services.first_item, nullptr);
    EXPECT_EQ(services.first_item->next, nullptr) << "one byte is too short for an item";
    EXPECT_EQ(descriptor_at<Descriptor>(leftover, 1).span, make_span(7, 9));
    const Loop empty = parse_loop({0x41, 0x00, 0x00, 0x01, 0x01});
    EXPECT_EQ(descriptor_at<service_list_descriptor>(empty).first_item, nullptr);
    const Loop teletext = parse_loop({0x56, 0x0A, 'i', 't', 'a', 0x09, 0x00, 'i', 't', 'a', 0x17, 0x77});
    ASSERT_NE(descriptor_at<teletext_descriptor>(teletext).first_item, nullptr);
    EXPECT_NE(descriptor_at<teletext_descriptor>(teletext).first_item->next, nullptr);
    EXPECT_EQ(teletext.position, 13);
}

TEST(DvbDescriptors, VbiServicesListTheirLinesOrKeepTheirBytes) {
    EXPECT_EQ(lines_of(parse_loop({0x45, 0x07, 0x01, 0x02, 0xF5, 0xC7, 0x03, 0x01, 0xAA})),
              (Lines{"Data Service ID: 0x01", "Field Parity: 0x01 (odd)", "Line Offset: 21",
                     "Field Parity: 0x00 (even)", "Line Offset: 7", "Data Service ID: 0x03"}));
}

TEST(LinkageDescriptor, MobileHandOverCarriesItsNetworkAndInitialService) {
    EXPECT_EQ(lines_of(parse_loop({0x4A, 0x0D, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x08, 0x1E, 0x00, 0x04, 0x00,
                                   0x05, 0x77})),
              (Lines{"Transport Stream ID: 0x0001", "Original Network ID: 0x0002", "Service ID: 0x0003",
                     "Linkage Type: 0x08 (Mobile Hand-over)",
                     "Hand-over Type: 0x01 (DVB hand-over to an identical service in a neighbouring country)",
                     "Origin Type: 0x00 (NIT)", "Network ID: 0x0004", "Initial Service ID: 0x0005",
                     "Private Data Byte: 0x77 "}));
    EXPECT_EQ(lines_of(parse_loop({0x4A, 0x08, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x08, 0x41})),
              (Lines{"Transport Stream ID: 0x0001", "Original Network ID: 0x0002", "Service ID: 0x0003",
                     "Linkage Type: 0x08 (Mobile Hand-over)",
                     "Hand-over Type: 0x04 (reserved for future use)", "Origin Type: 0x01 (SDT)",
                     "Private Data Byte: "}));
    EXPECT_EQ(lines_of(parse_loop({0x4A, 0x07, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x02}))[3],
              "Linkage Type: 0x02 (EPG Service)");
}

TEST(DvbDescriptors, ComponentContentRatingAndTimeOffset) {
    const Lines lines = lines_of(parse_loop({
        0x50, 0x08, 0xF1, 0x03, 0x01, 'd', 'e', 'u', 'H', 'D',              // 16:9 video with a text
        0x54, 0x02, 0x10, 0x34,                                              // a movie
        0x55, 0x04, 'G', 'B', 'R', 0x08,                                     // PG in Great Britain
        0x58, 0x0D, 'D', 'E', 'U', 0x0B, 0x01, 0x00, 0xC0, 0x79, 0x01, 0x45, 0x00, 0x02, 0x00,
    }));
    EXPECT_EQ(lines, (Lines{"Stream Content: 0x01",
                            "Component Type: 0x03 (video, 16:9 aspect ratio without pan vectors, 25Hz)",
                            "Component Tag: 0x01", "Language: deu", "Text: HD",
                            "Content Description: movie (general)", "User Nibbles: 0x3 0x4", "Country: GBR",
                            "Rating: PG (Parental Guidance Recommended)", "Local Time Offset Descriptor",
                            "Country Code: DEU", "Country Region ID: 0x02 (NSW / ACT)", "Time Offset: -01:00",
                            "Time of next change: Wednesday, 13 October 1993 01:45:00 UTC",
                            "Next Time Offset: -02:00"}));
}

TEST(DvbDescriptors, DeliveryDataAndAudioDescriptors) {
    const Lines lines = lines_of(parse_loop({
        0x5A, 0x0B, 0x02, 0xD3, 0x44, 0x40, 0x1F, 0x82, 0x33, 0xFF, 0xFF, 0xFF, 0xFF,
        0x5F, 0x05, 0x00, 0x00, 0x00, 0x28,                                  // 6 bytes, whatever the length says
        0x64, 0x0C, 0x00, 0x05, 0x01, 0x02, 0xAA, 0xBB, 'e', 'n', 'g', 0x02, 'h', 'i',
        0x6A, 0x06, 0xD0, 0x42, 0x08, 0x01, 0x11, 0x22,                      // type, bsid and asvc
        0x6A, 0x01, 0x00,
    }));
    EXPECT_EQ(lines, (Lines{"Centre Frequency: 474.000 MHz", "Bandwidth: 8 MHz", "Constellation: 64-QAM",
                            "Hierarchy Information: non-hierarchical", "Code Rate - HP Stream: 3/4",
                            "Code Rate - LP Stream: 2/3", "Guard Interval: 1/8", "Transmission Mode: 8k mode",
                            "Other Frequency Flag: yes", "Private Data Specifier", "Data: 0x00000028",
                            "data_broadcast_id: 0x0005", "component_tag: 0x01", "selector: 0xAA 0xBB ",
                            "ISO_639_language: eng", "text: hi",
                            "AC-3_type: 66 (Complete Main (CM), 2-channel (stereo))", "bsid: 0x08", "asvc: 0x01",
                            "additional_info:  0x11  0x22 "}));
}

}  // namespace
}  // namespace cut2edl
