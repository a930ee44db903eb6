#include "asf/AsfGuid.h"

#include <algorithm>

namespace cut2edl {

namespace {

constexpr std::uint8_t hexDigit(char c) {
    return static_cast<std::uint8_t>(c <= '9' ? c - '0' : c - 'A' + 10);
}

constexpr std::uint8_t hexByte(const char* text) { return static_cast<std::uint8_t>(hexDigit(text[0]) << 4 | hexDigit(text[1])); }

// Turns "75B22630-668E-11CF-A6D9-00AA0062CE6C" into the bytes as a file
// stores them: the first three groups are little-endian numbers, the last
// eight bytes are kept in their written order.
constexpr AsfGuid guidFromText(const char (&text)[37]) {
    constexpr std::size_t textOffsets[16] = {6, 4, 2, 0, 11, 9, 16, 14, 19, 21, 24, 26, 28, 30, 32, 34};
    AsfGuid guid{};
    for (std::size_t i = 0; i < guid.size(); ++i) guid[i] = hexByte(text + textOffsets[i]);
    return guid;
}

}  // namespace

const std::array<AsfGuidEntry, asfGuidCount> AsfGuidTable = {{
    {0, "ASF_UNKNOWN", guidFromText("00000000-0000-0000-0000-000000000000")},
    {1, "ASF_Extended_Stream_Properties_Object", guidFromText("14E6A5CB-C672-4332-8399-A96952065B5A")},
    {2, "ASF_Padding_Object", guidFromText("1806D474-CADF-4509-A4BA-9AABCB96AAE8")},
    {3, "ASF_Payload_Ext_Syst_Pixel_Aspect_Ratio", guidFromText("1B1EE554-F9EA-4BC8-821A-376B74E4C4B8")},
    {4, "ASF_Script_Command_Object", guidFromText("1EFB1A30-0B62-11D0-A39B-00A0C90348F6")},
    {5, "ASF_No_Error_Correction", guidFromText("20FB5700-5B55-11CF-A8FD-00805F5C442B")},
    {6, "ASF_Content_Branding_Object", guidFromText("2211B3FA-BD23-11D2-B4B7-00A0C955FC6E")},
    {7, "ASF_Content_Encryption_Object", guidFromText("2211B3FB-BD23-11D2-B4B7-00A0C955FC6E")},
    {8, "ASF_Digital_Signature_Object", guidFromText("2211B3FC-BD23-11D2-B4B7-00A0C955FC6E")},
    {9, "ASF_Extended_Content_Encryption_Object", guidFromText("298AE614-2622-4C17-B935-DAE07EE9289C")},
    {10, "ASF_Simple_Index_Object", guidFromText("33000890-E5B1-11CF-89F4-00A0C90349CB")},
    {11, "ASF_Degradable_JPEG_Media", guidFromText("35907DE0-E415-11CF-A917-00805F5C442B")},
    {12, "ASF_Payload_Extension_System_Timecode", guidFromText("399595EC-8667-4E2D-8FDB-98814CE76C1E")},
    {13, "ASF_Binary_Media", guidFromText("3AFB65E2-47EF-40F2-AC2C-70A90D71D343")},
    {14, "ASF_Timecode_Index_Object", guidFromText("3CB73FD0-0C4A-4803-953D-EDF7B6228F0C")},
    {15, "ASF_Metadata_Library_Object", guidFromText("44231C94-9498-49D1-A141-1D134E457054")},
    {16, "ASF_Reserved_3", guidFromText("4B1ACBE3-100B-11D0-A39B-00A0C90348F6")},
    {17, "ASF_Reserved_4", guidFromText("4CFEDB20-75F6-11CF-9C0F-00A0C90349CB")},
    {18, "ASF_Command_Media", guidFromText("59DACFC0-59E6-11D0-A3AC-00A0C90348F6")},
    {19, "ASF_Header_Extension_Object", guidFromText("5FBF03B5-A92E-11CF-8EE3-00C00C205365")},
    {20, "ASF_Media_Object_Index_Parameters_Obj", guidFromText("6B203BAD-3F11-48E4-ACA8-D7613DE2CFA7")},
    {21, "ASF_Header_Object", guidFromText("75B22630-668E-11CF-A6D9-00AA0062CE6C")},
    {22, "ASF_Content_Description_Object", guidFromText("75B22633-668E-11CF-A6D9-00AA0062CE6C")},
    {23, "ASF_Error_Correction_Object", guidFromText("75B22635-668E-11CF-A6D9-00AA0062CE6C")},
    {24, "ASF_Data_Object", guidFromText("75B22636-668E-11CF-A6D9-00AA0062CE6C")},
    {25, "ASF_Web_Stream_Media_Subtype", guidFromText("776257D4-C627-41CB-8F81-7AC7FF1C40CC")},
    {26, "ASF_Stream_Bitrate_Properties_Object", guidFromText("7BF875CE-468D-11D1-8D82-006097C9A2B2")},
    {27, "ASF_Language_List_Object", guidFromText("7C4346A9-EFE0-4BFC-B229-393EDE415C85")},
    {28, "ASF_Codec_List_Object", guidFromText("86D15240-311D-11D0-A3A4-00A0C90348F6")},
    {29, "ASF_Reserved_2", guidFromText("86D15241-311D-11D0-A3A4-00A0C90348F6")},
    {30, "ASF_File_Properties_Object", guidFromText("8CABDCA1-A947-11CF-8EE4-00C00C205365")},
    {31, "ASF_File_Transfer_Media", guidFromText("91BD222C-F21C-497A-8B6D-5AA86BFC0185")},
    {32, "ASF_Old_RTP_Extension_Data", guidFromText("96800C63-4C94-11D1-837B-0080C7A37F95")},
    {33, "ASF_Advanced_Mutual_Exclusion_Object", guidFromText("A08649CF-4775-4670-8A16-6E35357566CD")},
    {34, "ASF_Bandwidth_Sharing_Object", guidFromText("A69609E6-517B-11D2-B6AF-00C04FD908E9")},
    {35, "ASF_Reserved_1", guidFromText("ABD3D211-A9BA-11CF-8EE6-00C00C205365")},
    {36, "ASF_Bandwidth_Sharing_Exclusive", guidFromText("AF6060AA-5197-11D2-B6AF-00C04FD908E9")},
    {37, "ASF_Bandwidth_Sharing_Partial", guidFromText("AF6060AB-5197-11D2-B6AF-00C04FD908E9")},
    {38, "ASF_JFIF_Media", guidFromText("B61BE100-5B4E-11CF-A8FD-00805F5C442B")},
    {39, "ASF_Stream_Properties_Object", guidFromText("B7DC0791-A9B7-11CF-8EE6-00C00C205365")},
    {40, "ASF_Video_Media", guidFromText("BC19EFC0-5B4D-11CF-A8FD-00805F5C442B")},
    {41, "ASF_Audio_Spread", guidFromText("BFC3CD50-618F-11CF-8BB2-00AA00B4E220")},
    {42, "ASF_Metadata_Object", guidFromText("C5F8CBEA-5BAF-4877-8467-AA8C44FA4CCA")},
    {43, "ASF_Payload_Ext_Syst_Sample_Duration", guidFromText("C6BD9450-867F-4907-83A3-C77921B733AD")},
    {44, "ASF_Group_Mutual_Exclusion_Object", guidFromText("D1465A40-5A79-4338-B71B-E36B8FD6C249")},
    {45, "ASF_Extended_Content_Description_Object", guidFromText("D2D0A440-E307-11D2-97F0-00A0C95EA850")},
    {46, "ASF_Stream_Prioritization_Object", guidFromText("D4FED15B-88D3-454F-81F0-ED5C45999E24")},
    {47, "ASF_Payload_Ext_System_Content_Type", guidFromText("D590DC20-07BC-436C-9CF7-F3BBFBF1A4DC")},
    {48, "ASF_Old_File_Properties_Object", guidFromText("D6E229D0-35DA-11D1-9034-00A0C90349BE")},
    {49, "ASF_Old_ASF_Header_Object", guidFromText("D6E229D1-35DA-11D1-9034-00A0C90349BE")},
    {50, "ASF_Old_ASF_Data_Object", guidFromText("D6E229D2-35DA-11D1-9034-00A0C90349BE")},
    {51, "ASF_Index_Object", guidFromText("D6E229D3-35DA-11D1-9034-00A0C90349BE")},
    {52, "ASF_Old_Stream_Properties_Object", guidFromText("D6E229D4-35DA-11D1-9034-00A0C90349BE")},
    {53, "ASF_Old_Content_Description_Object", guidFromText("D6E229D5-35DA-11D1-9034-00A0C90349BE")},
    {54, "ASF_Old_Script_Command_Object", guidFromText("D6E229D6-35DA-11D1-9034-00A0C90349BE")},
    {55, "ASF_Old_Marker_Object", guidFromText("D6E229D7-35DA-11D1-9034-00A0C90349BE")},
    {56, "ASF_Old_Component_Download_Object", guidFromText("D6E229D8-35DA-11D1-9034-00A0C90349BE")},
    {57, "ASF_Old_Stream_Group_Object", guidFromText("D6E229D9-35DA-11D1-9034-00A0C90349BE")},
    {58, "ASF_Old_Scalable_Object", guidFromText("D6E229DA-35DA-11D1-9034-00A0C90349BE")},
    {59, "ASF_Old_Prioritization_Object", guidFromText("D6E229DB-35DA-11D1-9034-00A0C90349BE")},
    {60, "ASF_Bitrate_Mutual_Exclusion_Object", guidFromText("D6E229DC-35DA-11D1-9034-00A0C90349BE")},
    {61, "ASF_Old_Inter_Media_Dependency_Object", guidFromText("D6E229DD-35DA-11D1-9034-00A0C90349BE")},
    {62, "ASF_Old_Rating_Object", guidFromText("D6E229DE-35DA-11D1-9034-00A0C90349BE")},
    {63, "ASF_Index_Parameters_Object", guidFromText("D6E229DF-35DA-11D1-9034-00A0C90349BE")},
    {64, "ASF_Old_Color_Table_Object", guidFromText("D6E229E0-35DA-11D1-9034-00A0C90349BE")},
    {65, "ASF_Old_Language_List_Object", guidFromText("D6E229E1-35DA-11D1-9034-00A0C90349BE")},
    {66, "ASF_Old_Audio_Media", guidFromText("D6E229E2-35DA-11D1-9034-00A0C90349BE")},
    {67, "ASF_Old_Video_Media", guidFromText("D6E229E3-35DA-11D1-9034-00A0C90349BE")},
    {68, "ASF_Old_Image_Media", guidFromText("D6E229E4-35DA-11D1-9034-00A0C90349BE")},
    {69, "ASF_Old_Timecode_Media", guidFromText("D6E229E5-35DA-11D1-9034-00A0C90349BE")},
    {70, "ASF_Old_Text_Media", guidFromText("D6E229E6-35DA-11D1-9034-00A0C90349BE")},
    {71, "ASF_Old_MIDI_Media", guidFromText("D6E229E7-35DA-11D1-9034-00A0C90349BE")},
    {72, "ASF_Old_Command_Media", guidFromText("D6E229E8-35DA-11D1-9034-00A0C90349BE")},
    {73, "ASF_Old_No_Error_Concealment", guidFromText("D6E229EA-35DA-11D1-9034-00A0C90349BE")},
    {74, "ASF_Old_Scrambled_Audio", guidFromText("D6E229EB-35DA-11D1-9034-00A0C90349BE")},
    {75, "ASF_Old_No_Color_Table", guidFromText("D6E229EC-35DA-11D1-9034-00A0C90349BE")},
    {76, "ASF_Old_SMPTE_Time", guidFromText("D6E229ED-35DA-11D1-9034-00A0C90349BE")},
    {77, "ASF_Old_ASCII_Text", guidFromText("D6E229EE-35DA-11D1-9034-00A0C90349BE")},
    {78, "ASF_Old_Unicode_Text", guidFromText("D6E229EF-35DA-11D1-9034-00A0C90349BE")},
    {79, "ASF_Old_HTML_Text", guidFromText("D6E229F0-35DA-11D1-9034-00A0C90349BE")},
    {80, "ASF_Old_URL_Command", guidFromText("D6E229F1-35DA-11D1-9034-00A0C90349BE")},
    {81, "ASF_Old_Filename_Command", guidFromText("D6E229F2-35DA-11D1-9034-00A0C90349BE")},
    {82, "ASF_Old_ACM_Codec", guidFromText("D6E229F3-35DA-11D1-9034-00A0C90349BE")},
    {83, "ASF_Old_VCM_Codec", guidFromText("D6E229F4-35DA-11D1-9034-00A0C90349BE")},
    {84, "ASF_Old_QuickTime_Codec", guidFromText("D6E229F5-35DA-11D1-9034-00A0C90349BE")},
    {85, "ASF_Old_DirectShow_Transform_Filter", guidFromText("D6E229F6-35DA-11D1-9034-00A0C90349BE")},
    {86, "ASF_Old_DirectShow_Rendering_Filter", guidFromText("D6E229F7-35DA-11D1-9034-00A0C90349BE")},
    {87, "ASF_Old_No_Enhancement", guidFromText("D6E229F8-35DA-11D1-9034-00A0C90349BE")},
    {88, "ASF_Old_Unknown_Enhancement_Type", guidFromText("D6E229F9-35DA-11D1-9034-00A0C90349BE")},
    {89, "ASF_Old_Temporal_Enhancement", guidFromText("D6E229FA-35DA-11D1-9034-00A0C90349BE")},
    {90, "ASF_Old_Spatial_Enhancement", guidFromText("D6E229FB-35DA-11D1-9034-00A0C90349BE")},
    {91, "ASF_Old_Quality_Enhancement", guidFromText("D6E229FC-35DA-11D1-9034-00A0C90349BE")},
    {92, "ASF_Old_Number_of_Channels_Enhancement", guidFromText("D6E229FD-35DA-11D1-9034-00A0C90349BE")},
    {93, "ASF_Old_Frequency_Response_Enhancement", guidFromText("D6E229FE-35DA-11D1-9034-00A0C90349BE")},
    {94, "ASF_Old_Media_Object", guidFromText("D6E229FF-35DA-11D1-9034-00A0C90349BE")},
    {95, "ASF_Mutex_Language", guidFromText("D6E22A00-35DA-11D1-9034-00A0C90349BE")},
    {96, "ASF_Mutex_Bitrate", guidFromText("D6E22A01-35DA-11D1-9034-00A0C90349BE")},
    {97, "ASF_Mutex_Unknown", guidFromText("D6E22A02-35DA-11D1-9034-00A0C90349BE")},
    {98, "ASF_Old_ASF_Placeholder_Object", guidFromText("D6E22A0E-35DA-11D1-9034-00A0C90349BE")},
    {99, "ASF_Old_Data_Unit_Extension_Object", guidFromText("D6E22A0F-35DA-11D1-9034-00A0C90349BE")},
    {100, "ASF_Web_Stream_Format", guidFromText("DA1E6B13-8359-4050-B398-388E965BF00C")},
    {101, "ASF_Payload_Ext_System_File_Name", guidFromText("E165EC0E-19ED-45D7-B4A7-25CBD1E28E9B")},
    {102, "ASF_Marker_Object", guidFromText("F487CD01-A951-11CF-8EE6-00C00C205365")},
    {103, "ASF_Timecode_Index_Parameters_Object", guidFromText("F55E496D-9797-4B5D-8C8B-604DFE9BFB24")},
    {104, "ASF_Audio_Media", guidFromText("F8699E40-5B4D-11CF-A8FD-00805F5C442B")},
    {105, "ASF_Media_Object_Index_Object", guidFromText("FEB103F8-12AD-4C64-840F-2A1D2F7AD48C")},
    {106, "ASF_Alt_Extended_Content_Encryption_Obj", guidFromText("FF889EF1-ADEE-40DA-9E71-98704BB928CE")},
}};

AsfGuidEntry lookupAsfGuid(const AsfGuid& guid) {
    const auto listed = std::find_if(AsfGuidTable.begin() + 1, AsfGuidTable.end(),
                                     [&guid](const AsfGuidEntry& entry) { return entry.guid == guid; });
    return listed == AsfGuidTable.end() ? AsfGuidTable[ASF_UNKNOWN] : *listed;
}

}  // namespace cut2edl
