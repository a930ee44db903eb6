#include <gtest/gtest.h>

#include "descriptors/carousel_identifier_descriptor.h"
#include "psi_support.h"

namespace cut2edl {
namespace {

Parsed<PSI_PMT> parse_pmt(const Bytes& bytes, int section_size) {
    Parsed<PSI_PMT> parsed;
    parse_into(parsed, bytes, section_size);
    return parsed;
}

Parsed<PSI_PMT> parse_pmt(const Bytes& bytes) { return parse_pmt(bytes, section_size_of(bytes)); }

int streams_of(const PSI_PMT& pmt) {
    int count = 0;
    for (const PSI_PMT_Program_Info_Loop* entry = pmt.streams.get(); entry; entry = entry->next.get()) ++count;
    return count;
}

const std::string mpeg2_video = "ITU-T Rec. H.262 | ISO/IEC 13818-2 Video or ISO/IEC 11172-2 constrained parameter video stream";
const std::string mpeg2_audio = "ISO/IEC 13818-3 Audio";
const std::string pes_private_data = "ITU-T Rec. H.222.0 | ISO/IEC 13818-1 PES packets containing private data";
const std::string private_sections = "ITU-T Rec. H.222.0 | ISO/IEC 13818-1 private_sections";
const std::string dsm_cc_type_b = "ISO/IEC 13818-6 type B";

TEST(PsiPmt, RendersARealRaiProgramWithEveryDescriptor) {
    const auto parsed = parse_pmt(rai_pmt);
    EXPECT_EQ(streams_of(parsed.table), 10);
    EXPECT_EQ(parsed.table.program_info_descriptors, nullptr);
    EXPECT_EQ(parsed.position, 1 + 156);
    const Lines expected = {
        "program_number: 3402 (0xD4A)", "PCR_PID: 0x0201 (513)",
        "stream_type: 0x02 (" + mpeg2_video + ")", "elementary_PID: 0x0201 (513)", "Multiple Frame Rate: No",
        "Frame Rate: 25 fps", "MPEG-1 Only: No", "Constrained Parameters: Yes", "Still Picture: No",
        "Profile and Level: Main Profile @ Main Level", "Chroma Format: 4:2:0", "Frame Rate Extension: No",
        "stream_type: 0x04 (" + mpeg2_audio + ")", "elementary_PID: 0x028B (651)", "ISO 639 Language Descriptor",
        "Language Code: ita", "Audio Type: Undefined", "component_tag: 2 (0x02)",
        "stream_type: 0x04 (" + mpeg2_audio + ")", "elementary_PID: 0x02B7 (695)", "ISO 639 Language Descriptor",
        "Language Code: Oth", "Audio Type: Undefined", "Free Format: No", "ID: 1", "Layer: Layer II",
        "Variable Rate Audio: No",
        "stream_type: 0x04 (" + mpeg2_audio + ")", "elementary_PID: 0x02B8 (696)", "ISO 639 Language Descriptor",
        "Language Code: eng", "Audio Type: Undefined", "Free Format: No", "ID: 1", "Layer: Layer II",
        "Variable Rate Audio: No",
        "stream_type: 0x06 (" + pes_private_data + ")", "elementary_PID: 0x0241 (577)",
        "ISO_639_language_code: ita", "teletext_type: 0x01 (initial teletext page)", "magazine: 1, page: 0",
        "ISO_639_language_code: ita", "teletext_type: 0x02 (teletext subtitle page)", "magazine: 7, page: 119",
        "ISO_639_language_code: eng", "teletext_type: 0x02 (teletext subtitle page)", "magazine: 7, page: 120",
        "stream_type: 0x0B (" + dsm_cc_type_b + ")", "elementary_PID: 0x0BB9 (3001)", "component_tag: 41 (0x29)",
        "Carousel ID: 0x003D (61)", "Format ID: 0x00 (Standard Boot)", "Data Broadcast ID Descriptor",
        "Data Broadcast ID: 0x00F0", "ID Selector Bytes: ",
        "stream_type: 0x0B (" + dsm_cc_type_b + ")", "elementary_PID: 0x0BBA (3002)", "component_tag: 42 (0x2A)",
        "Carousel ID: 0x003E (62)", "Format ID: 0x00 (Standard Boot)", "Data Broadcast ID Descriptor",
        "Data Broadcast ID: 0x0123", "ID Selector Bytes: ",
        "stream_type: 0x05 (" + private_sections + ")", "elementary_PID: 0x07D1 (2001)",
        "Application Type: 0x0001", "AIT Version Number: 0",
        "stream_type: 0x05 (" + private_sections + ")", "elementary_PID: 0x07D2 (2002)",
        "Application Type: 0x0010", "AIT Version Number: 0",
        "stream_type: 0x0C (ISO/IEC 13818-6 type C)", "elementary_PID: 0x0C1D (3101)", "component_tag: 50 (0x32)",
        "CRC32 = 0x6E1EF035"};
    EXPECT_EQ(lines_of(parsed.table), expected);
}

TEST(PsiPmt, RendersARealMediasetProgramSpanningTwoPackets) {
    const auto parsed = parse_pmt(mediaset_pmt);
    const Lines conditional_access = {"CA System ID: 0x183D", "CA_PID: 0x0A29 (2601)", "Private Data Bytes: ",
                                      "CA System ID: 0x183E", "CA_PID: 0x152D (5421)", "Private Data Bytes: "};
    Lines expected = {"program_number: 1 (0x01)", "PCR_PID: 0x0654 (1620)",
                      "stream_type: 0x02 (" + mpeg2_video + ")", "elementary_PID: 0x0654 (1620)"};
    const auto add = [&expected](const Lines& lines) { expected.insert(expected.end(), lines.begin(), lines.end()); };
    add(conditional_access);
    for (const auto& [pid, language] : {std::pair{"0x0655 (1621)", "ita"}, std::pair{"0x0656 (1622)", "eng"}}) {
        add({"stream_type: 0x04 (" + mpeg2_audio + ")", std::string("elementary_PID: ") + pid,
             "ISO 639 Language Descriptor", std::string("Language Code: ") + language, "Audio Type: Undefined"});
        add(conditional_access);
    }
    add({"stream_type: 0x06 (" + pes_private_data + ")", "elementary_PID: 0x0653 (1619)",
         "ISO_639_language_code: ita", "teletext_type: 0x01 (initial teletext page)", "magazine: 1, page: 0",
         "ISO_639_language_code: ita", "teletext_type: 0x02 (teletext subtitle page)", "magazine: 7, page: 118"});
    for (const auto& [pid, version] : {std::pair{"0x1EC5 (7877)", 0}, std::pair{"0x1EC6 (7878)", 0},
                                       std::pair{"0x1EC7 (7879)", 1}}) {
        add({"stream_type: 0x05 (" + private_sections + ")", std::string("elementary_PID: ") + pid,
             "Application Type: 0x0001", "AIT Version Number: " + std::to_string(version)});
    }
    add({"stream_type: 0x0B (" + dsm_cc_type_b + ")", "elementary_PID: 0x1E9E (7838)", "component_tag: 10 (0x0A)",
         "Association Tag: 0x0A", "Use: 0x0000", "Transaction ID: 0x80000000", "Timeout: 0x0014FF00",
         "Carousel ID: 0x1AB6 (6838)", "Format ID: 0x01 (Enhanced Boot)", "Module Version: 0x0000",
         "Module ID: 0x0A", "Block Size: 4066 bytes", "Module Size: 110 bytes",
         "Compression Method: 0x00 (see RFC 1950)", "Original Size: 110 bytes", "Time Out: 1 seconds",
         "Object Key Data: 0x53 0x47 0x57 0x00 ", "Data Broadcast ID Descriptor", "Data Broadcast ID: 0x00F0",
         "ID Selector Bytes: 0x00 0x01 "});
    add({"stream_type: 0x0B (" + dsm_cc_type_b + ")", "elementary_PID: 0x1E9F (7839)", "component_tag: 14 (0x0E)",
         "Association Tag: 0x0E", "Use: 0x0000", "Transaction ID: 0x80000000", "Timeout: 0x00187040",
         "Carousel ID: 0x1AB7 (6839)", "Format ID: 0x01 (Enhanced Boot)", "Module Version: 0x0000",
         "Module ID: 0x0A", "Block Size: 4066 bytes", "Module Size: 185 bytes",
         "Compression Method: 0x00 (see RFC 1950)", "Original Size: 185 bytes", "Time Out: 3 seconds",
         "Object Key Data: 0x53 0x47 0x57 0x00 ", "Data Broadcast ID Descriptor", "Data Broadcast ID: 0x00F0",
         "ID Selector Bytes: "});
    add({"CRC32 = 0xCA011D5E"});
    EXPECT_EQ(lines_of(parsed.table), expected);
}

TEST(PsiPmt, KeepsEachFieldsSpan) {
    const auto parsed = parse_pmt(rai_pmt);
    const PSI_PMT& pmt = parsed.table;
    EXPECT_EQ(pmt.PCR_PID.span, make_span(9, 10));
    EXPECT_EQ(pmt.program_info_length.span, make_span(11, 12));
    const PSI_PMT_Program_Info_Loop& video = *pmt.streams;
    EXPECT_EQ(video.span, make_span(13, 22));
    EXPECT_EQ(video.ES_info_length.span, make_span(16, 17));
    EXPECT_EQ(video.descriptors->span, make_span(18, 22));
    EXPECT_EQ(video.next->span, make_span(23, 36));
    EXPECT_EQ(pmt.CRC_32.span, make_span(153, 156));
    EXPECT_EQ(pmt.span, make_span(1, 156));
}

TEST(PsiPmt, ReadsTheHevcServicesDescriptorsAndProgramInfo) {
    EXPECT_EQ(lines_of(parse_pmt(rai_hevc_pmt).table),
              (Lines{"program_number: 3410 (0xD52)", "PCR_PID: 0x01F4 (500)",
                     "stream_type: 0x24 (ITU-T Rec. H.265 | ISO/IEC 23008-2 video stream or an HEVC temporal video sub-bitstream)",
                     "elementary_PID: 0x01F4 (500)",
                     // HEVC_video_descriptor 0x02 0x20000000 0xB0 ... 0x99 0x9F 0x1F 0x1F: Main 10, level
                     // 153 / 30 = 5.1, and the temporal layer subset of bytes 0x1F 0x1F.
                     "profile_space: 0", "tier_flag: 0 (Main)", "profile_idc: 2 (Main 10)",
                     "profile_compatibility_indication: 0x20000000", "progressive_source_flag: Yes",
                     "interlaced_source_flag: No", "non_packed_constraint_flag: Yes",
                     "frame_only_constraint_flag: Yes", "copied_44bits: 0x00000000000", "level_idc: 153 (5.1)",
                     "temporal_layer_subset_flag: Yes", "HEVC_still_present_flag: No",
                     "HEVC_24hr_picture_present_flag: No", "sub_pic_hrd_params_not_present_flag: Yes",
                     "HDR_WCG_idc: 3 (no indication)", "temporal_id_min: 0", "temporal_id_max: 0",
                     "Maximum Bitrate: 49400 bytes/sec", "CRC32 = 0x526B577B"}));
    // Program info: a registration descriptor before a stream without descriptors.
    const auto parsed = parse_pmt(from_hex("02b0190001c10000e100f006050441432d3381e101f00001020304ff"));
    ASSERT_NE(parsed.table.program_info_descriptors, nullptr);
    EXPECT_EQ(lines_of(parsed.table), (Lines{"program_number: 1 (0x01)", "PCR_PID: 0x0100 (256)",
                                             "Format Identifier: 0x41432D33", "Additional Identification Info: ",
                                             "stream_type: 0x81 (User Private (AC-3 audio in ATSC))", "elementary_PID: 0x0101 (257)",
                                             "CRC32 = 0x01020304"}));
}

TEST(PsiPmt, AnEmptyStreamLoopHasItsCrcBehindTheProgramInfo) {
    const auto parsed = parse_pmt(from_hex("02b00d0001c10000e100f000aabbccddff"));
    EXPECT_EQ(parsed.table.streams, nullptr);
    EXPECT_EQ(parsed.table.CRC_32.value, 0xAABBCCDDu);
    const auto two = parse_pmt(from_hex("02b0170001c10000e100f00002e100f00004e101f00011223344ff"));
    EXPECT_EQ(streams_of(two.table), 2);
    EXPECT_EQ(two.table.streams->descriptors, nullptr);
    EXPECT_EQ(two.table.streams->next->descriptors, nullptr);
    EXPECT_EQ(two.table.CRC_32.value, 0x11223344u);
}

TEST(PsiPmt, ReadsOnlyTheBytesGivenWhateverItsLengthsClaim) {
    // Cut inside the third stream's language descriptor: two whole streams,
    // the third with its descriptor's bytes as far as they go, no CRC.
    const Bytes cut(rai_pmt.begin(), rai_pmt.begin() + 45);
    const auto parsed = parse_pmt(cut, section_size_of(rai_pmt));
    EXPECT_EQ(streams_of(parsed.table), 3);
    EXPECT_EQ(parsed.table.streams->next->next->descriptors->descriptor_tag.value, 0x0A);
    EXPECT_EQ(parsed.table.CRC_32.value, 0u);
    EXPECT_EQ(parsed.position, 46);
    // An ES_info_length beyond the section, and one stray byte: no entry made of the byte.
    EXPECT_EQ(streams_of(parse_pmt(from_hex("02b0120001c10000e100f00002e100ff0552")).table), 1);
    EXPECT_EQ(streams_of(parse_pmt(from_hex("02b0130001c10000e100f00002e100f00052aabbccddff")).table), 1);
    EXPECT_EQ(parse_pmt(from_hex("02b0"), 3).table.PCR_PID.value, 0);
}

TEST(PsiPmt, OwnersRenderTheirChildrenThroughTheChildSink) {
    const auto parsed = parse_pmt(from_hex("02b0180001c10000e100f00081e101f006520101520102aabbccddff"));
    Lines lines;
    const ChildSink indent = [](const LineSink& parent) -> LineSink {
        return [&parent](std::string_view line) { parent("  " + std::string(line)); };
    };
    parsed.table.dump([&lines](std::string_view line) { lines.emplace_back(line); }, indent);
    EXPECT_EQ(lines, (Lines{"program_number: 1 (0x01)", "PCR_PID: 0x0100 (256)", "  stream_type: 0x81 (User Private (AC-3 audio in ATSC))",
                            "  elementary_PID: 0x0101 (257)", "    component_tag: 1 (0x01)",
                            "    component_tag: 2 (0x02)", "CRC32 = 0xAABBCCDD"}));
}

}  // namespace
}  // namespace cut2edl
