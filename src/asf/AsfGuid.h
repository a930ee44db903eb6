#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace cut2edl {

// A GUID as ASF files store it: Data1 as a 32-bit little-endian value, Data2
// and Data3 as 16-bit little-endian values, then the 8 bytes of Data4.
using AsfGuid = std::array<std::uint8_t, 16>;

struct AsfGuidEntry {
    std::int32_t id;
    char name[48];
    AsfGuid guid;
};

// The ids the demuxer dispatches on; each is the row of the identifier table.
enum AsfGuidId : std::int32_t {
    ASF_UNKNOWN = 0,
    ASF_Extended_Stream_Properties_Object = 1,
    ASF_Binary_Media = 13,
    ASF_Header_Extension_Object = 19,
    ASF_Header_Object = 21,
    ASF_Content_Description_Object = 22,
    ASF_Data_Object = 24,
    ASF_Stream_Bitrate_Properties_Object = 26,
    ASF_File_Properties_Object = 30,
    ASF_Stream_Properties_Object = 39,
    ASF_Video_Media = 40,
    ASF_Extended_Content_Description_Object = 45,
    ASF_Audio_Media = 104,
};

inline constexpr std::size_t asfGuidCount = 107;

// Row 0 is the answer for every GUID not listed; rows 1 to 106 are in
// ascending order of the GUID's canonical text form.
extern const std::array<AsfGuidEntry, asfGuidCount> AsfGuidTable;

// Linear search over rows 1 to 106; row 0 ("ASF_UNKNOWN") when none matches.
AsfGuidEntry lookupAsfGuid(const AsfGuid& guid);

}  // namespace cut2edl
