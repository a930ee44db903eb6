#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "asf/AsfGuid.h"

namespace cut2edl {
namespace {

// Data1, Data2, Data3 as upper-case hex of their little-endian values, then
// Data4 in byte order: the order in which ASF references list GUIDs.
std::string canonicalText(const AsfGuid& g) {
    char text[40];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X", g[3],
                  g[2], g[1], g[0], g[5], g[4], g[7], g[6], g[8], g[9], g[10], g[11], g[12], g[13], g[14], g[15]);
    return text;
}

TEST(AsfGuidTable, RowsAreNumberedNamedAndSorted) {
    ASSERT_EQ(AsfGuidTable.size(), 107u);
    for (std::size_t row = 0; row < AsfGuidTable.size(); ++row) {
        EXPECT_EQ(AsfGuidTable[row].id, static_cast<std::int32_t>(row));
        EXPECT_EQ(std::string(AsfGuidTable[row].name).rfind("ASF_", 0), 0u) << row;
    }
    EXPECT_EQ(canonicalText(AsfGuidTable[0].guid), "00000000-0000-0000-0000-000000000000");
    for (std::size_t row = 2; row < AsfGuidTable.size(); ++row) {
        EXPECT_LT(canonicalText(AsfGuidTable[row - 1].guid), canonicalText(AsfGuidTable[row].guid)) << row;
    }
}

TEST(AsfGuidTable, IdsTheDemuxerActsOnMapToTheirGuids) {
    const struct {
        std::int32_t id;
        const char* name;
        const char* guid;
    } acted[] = {
        {ASF_UNKNOWN, "ASF_UNKNOWN", "00000000-0000-0000-0000-000000000000"},
        {ASF_Extended_Stream_Properties_Object, "ASF_Extended_Stream_Properties_Object",
         "14E6A5CB-C672-4332-8399-A96952065B5A"},
        {ASF_Binary_Media, "ASF_Binary_Media", "3AFB65E2-47EF-40F2-AC2C-70A90D71D343"},
        {ASF_Header_Extension_Object, "ASF_Header_Extension_Object", "5FBF03B5-A92E-11CF-8EE3-00C00C205365"},
        {ASF_Header_Object, "ASF_Header_Object", "75B22630-668E-11CF-A6D9-00AA0062CE6C"},
        {ASF_Content_Description_Object, "ASF_Content_Description_Object", "75B22633-668E-11CF-A6D9-00AA0062CE6C"},
        {ASF_Data_Object, "ASF_Data_Object", "75B22636-668E-11CF-A6D9-00AA0062CE6C"},
        {ASF_Stream_Bitrate_Properties_Object, "ASF_Stream_Bitrate_Properties_Object",
         "7BF875CE-468D-11D1-8D82-006097C9A2B2"},
        {ASF_File_Properties_Object, "ASF_File_Properties_Object", "8CABDCA1-A947-11CF-8EE4-00C00C205365"},
        {ASF_Stream_Properties_Object, "ASF_Stream_Properties_Object", "B7DC0791-A9B7-11CF-8EE6-00C00C205365"},
        {ASF_Video_Media, "ASF_Video_Media", "BC19EFC0-5B4D-11CF-A8FD-00805F5C442B"},
        {ASF_Extended_Content_Description_Object, "ASF_Extended_Content_Description_Object",
         "D2D0A440-E307-11D2-97F0-00A0C95EA850"},
        {ASF_Audio_Media, "ASF_Audio_Media", "F8699E40-5B4D-11CF-A8FD-00805F5C442B"},
    };
    for (const auto& row : acted) {
        const AsfGuidEntry& entry = AsfGuidTable[static_cast<std::size_t>(row.id)];
        EXPECT_STREQ(entry.name, row.name);
        EXPECT_EQ(canonicalText(entry.guid), row.guid) << row.name;
    }
}

TEST(LookupAsfGuid, FindsTheHeaderObjectAsStoredInAFile) {
    const AsfGuid stored = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                            0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
    const AsfGuidEntry entry = lookupAsfGuid(stored);
    EXPECT_EQ(entry.id, ASF_Header_Object);
    EXPECT_STREQ(entry.name, "ASF_Header_Object");
    EXPECT_EQ(entry.guid, stored);
}

TEST(LookupAsfGuid, EveryListedRowFindsItselfAndNearMissesAreUnknown) {
    for (std::size_t row = 1; row < AsfGuidTable.size(); ++row) {
        EXPECT_EQ(lookupAsfGuid(AsfGuidTable[row].guid).id, static_cast<std::int32_t>(row));
        AsfGuid nearMiss = AsfGuidTable[row].guid;
        nearMiss[15] ^= 0x01;
        EXPECT_EQ(lookupAsfGuid(nearMiss).id, ASF_UNKNOWN) << row;
    }
    const AsfGuidEntry unknown = lookupAsfGuid(AsfGuid{});
    EXPECT_EQ(unknown.id, ASF_UNKNOWN);
    EXPECT_STREQ(unknown.name, "ASF_UNKNOWN");
}

}  // namespace
}  // namespace cut2edl
