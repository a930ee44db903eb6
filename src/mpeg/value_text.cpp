#include "mpeg/value_text.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <span>
#include <string_view>

#include "mpeg/line_sink.h"
#include "mpeg/value_table.h"

namespace cut2edl {

namespace {

using value_table::Codes;
using value_table::first_match;
using value_table::not_defined;
using value_table::Row;
using value_table::text_of;

constexpr Codes any{0, UINT_MAX};

// For meanings that depend on two fields at once.
struct Row2 {
    Codes first;
    Codes second;
    std::string_view text;
};

std::string text_of(std::span<const Row2> rows, unsigned first, unsigned second)
{
    return first_match(rows, [first, second](const Row2& row) {
        return row.first.holds(first) && row.second.holds(second);
    });
}

constexpr Row frame_rate_rows[] = {
    {0, "forbidden"},
    {1, "23.976 fps"},
    {2, "24 fps"},
    {3, "25 fps"},
    {4, "29.97 fps"},
    {5, "30 fps"},
    {6, "50 fps"},
    {7, "59.94 fps"},
    {8, "60 fps"},
    {{9, 15}, "reserved"},
};

constexpr Row aspect_ratio_rows[] = {
    {0, "forbidden"},
    {1, "Sample Aspect Ratio 1.0 (Square Sample)"},
    {2, "Display Aspect Ratio 4:3"},
    {3, "Display Aspect Ratio 16:9"},
    {4, "Display Aspect Ratio 2.21:1"},
    {{5, 15}, "reserved"},
};

constexpr Row chroma_format_rows[] = {
    {0, "reserved"},
    {1, "4:2:0"},
    {2, "4:2:2"},
    {3, "4:4:4"},
};

constexpr Row video_format_rows[] = {
    {0, "Component"},
    {1, "PAL"},
    {2, "NTSC"},
    {3, "SECAM"},
    {4, "MAC"},
    {5, "Unspecified video format"},
    {{6, 7}, "Reserved"},
};

constexpr Row colour_primaries_rows[] = {
    {0, "Forbidden"},
    {1, "Recommendation ITU-R BT.709"},
    {2, "Unspecified Video"},
    {3, "Reserved"},
    {4, "Recommendation ITU-R BT.470-2 System M"},
    {5, "Recommendation ITU-R BT.470-2 System B,G"},
    {6, "SMPTE 170M"},
    {7, "SMPTE 240M (1987)"},
    {{8, 255}, "Reserved"},
};

constexpr Row transfer_characteristics_rows[] = {
    {0, "Forbidden"},
    {1, "Recommendation ITU-R BT.709"},
    {2, "Unspecified Video"},
    {3, "Reserved"},
    {4, "Recommendation ITU-R BT.470-2 System M"},
    {5, "Recommendation ITU-R BT.470-2 System B,G"},
    {6, "SMPTE 170M"},
    {7, "SMPTE 240M (1987)"},
    {8, "Linear Transfer Characteristics"},
    {{9, 255}, "Reserved"},
};

constexpr Row matrix_coefficients_rows[] = {
    {0, "Forbidden"},
    {1, "Recommendation ITU-R BT.709"},
    {2, "Unspecified Video"},
    {3, "Reserved"},
    {4, "FCC"},
    {5, "Recommendation ITU-R BT.470-2 System B,G"},
    {6, "SMPTE 170M"},
    {7, "SMPTE 240M (1987)"},
    {{8, 255}, "Reserved"},
};

constexpr Row picture_coding_type_rows[] = {
    {0, "Forbidden"},
    {1, "Intra-coded (I)"},
    {2, "Predictive-coded (P)"},
    {3, "Bidirectionally-predictive-coded (B)"},
    {4, "Shall not be used"},
    {{5, 7}, "Reserved"},
};

constexpr Row scalable_mode_rows[] = {
    {0, "Data Partitioning"},
    {1, "Spatial Scalability"},
    {2, "SNR Scalability"},
    {3, "Temporal Scalability"},
};

constexpr Row intra_dc_precision_rows[] = {
    {0, "8 bits"},
    {1, "9 bits"},
    {2, "10 bits"},
    {3, "11 bits"},
};

constexpr Row picture_structure_rows[] = {
    {0, "Reserved"},
    {1, "Top Field"},
    {2, "Bottom Field"},
    {3, "Frame Picture"},
};

constexpr Row field_sequence_rows[] = {
    {0, "Frame 1, Field 1"},
    {1, "Frame 1, Field 2"},
    {2, "Frame 2, Field 3"},
    {3, "Frame 2, Field 4"},
    {4, "Frame 3, Field 5"},
    {5, "Frame 3, Field 6"},
    {6, "Frame 4, Field 7"},
    {7, "Frame 4, Field 8"},
};

constexpr Row profile_rows[] = {
    {0, "(Reserved)"},
    {1, "High"},
    {2, "Spatially Scalable"},
    {3, "SNR Scalable"},
    {4, "Main"},
    {5, "Simple"},
    {{6, 7}, "(Reserved)"},
};

constexpr Row level_rows[] = {
    {{0, 3}, "(Reserved)"},
    {4, "High"},
    {5, "(Reserved)"},
    {6, "High 1440"},
    {7, "(Reserved)"},
    {8, "Main"},
    {9, "(Reserved)"},
    {10, "Low"},
    {{11, 15}, "(Reserved)"},
};

constexpr Codes audio_stream_ids{0xC0, 0xDF};
constexpr Codes video_stream_ids{0xE0, 0xEF};

constexpr Row stream_id_rows[] = {
    {0xBC, "Program Stream Map"},
    {0xBD, "Private Stream 1"},
    {0xBE, "Padding Stream"},
    {0xBF, "Private Stream 2"},
    {audio_stream_ids, "MPEG-1 or MPEG-2 audio stream number "},
    {video_stream_ids, "MPEG-1 or MPEG-2 video stream number "},
    {0xF0, "ECM Stream"},
    {0xF1, "EMM Stream"},
    {0xF2, "ITU-T Rec H.222.0 | ISO/IEC 13818-1 Annex A or ISO/IEC 13818-6 DSMCC Stream"},
    {0xF3, "ISO/IEC 13522 Stream"},
    {0xF4, "ITU-T Rec. H.222.1 type A"},
    {0xF5, "ITU-T Rec. H.222.1 type B"},
    {0xF6, "ITU-T Rec. H.222.1 type C"},
    {0xF7, "ITU-T Rec. H.222.1 type D"},
    {0xF8, "ITU-T Rec. H.222.1 type E"},
    {0xF9, "Ancillary Stream"},
    {0xFA, "ISO/IEC 14496-1 SL-packetized Stream"},
    {0xFB, "ISO/IEC 14496-1 FlexMux Stream"},
    {{0xFC, 0xFE}, "Reserved Data Stream"},
    {0xFF, "Program Stream Directory"},
};

constexpr Row scrambling_control_rows[] = {
    {0, "Not Scrambled"},
    {{1, 3}, "User Defined"},
};

constexpr Row trick_mode_rows[] = {
    {0, "Fast Forward"},
    {1, "Slow Motion"},
    {2, "Freeze Frame"},
    {3, "Fast Reverse"},
    {4, "Slow Reverse"},
    {{5, 7}, "Reserved"},
};

constexpr Row field_id_rows[] = {
    {0, "Display from top field only"},
    {1, "Display from bottom field only"},
    {2, "Display complete frame"},
    {3, "Reserved"},
};

constexpr Row frequency_truncation_rows[] = {
    {0, "Only DC coefficients are non-zero"},
    {1, "Only the first three coefficients are non-zero"},
    {2, "Only the first six coefficients are non-zero"},
    {3, "All coefficients may be non-zero"},
};

constexpr Row stream_type_rows[] = {
    {0, "ITU-T | ISO/IEC Reserved"},
    {1, "ISO/IEC 11172 Video"},
    {2, "ITU-T Rec. H.262 | ISO/IEC 13818-2 Video or ISO/IEC 11172-2 constrained parameter video stream"},
    {3, "ISO/IEC 11172 Audio"},
    {4, "ISO/IEC 13818-3 Audio"},
    {5, "ITU-T Rec. H.222.0 | ISO/IEC 13818-1 private_sections"},
    {6, "ITU-T Rec. H.222.0 | ISO/IEC 13818-1 PES packets containing private data"},
    {7, "ISO/IEC 13522 MHEG"},
    {8, "ITU-T Rec. H.222.0 | ISO/IEC 13818-1 Annex A DSM CC"},
    {9, "ITU-T Rec. H.222.1"},
    {10, "ISO/IEC 13818-6 type A"},
    {11, "ISO/IEC 13818-6 type B"},
    {12, "ISO/IEC 13818-6 type C"},
    {13, "ISO/IEC 13818-6 type D"},
    {14, "ITU-T Rec. H.222.0 | ISO/IEC 13818-1 auxiliary"},
    {15, "ISO/IEC 13818-7 Audio with ADTS transport stream"},
    {16, "ISO/IEC 14496-2 Visual"},
    {17, "ISO/IEC 14496-3 Audio with the LATM transport syntax as defined in ISO/IEC 14496-3 / AMD 1"},
    {18, "ISO/IEC 14496-1 SL-packetized stream or FlexMux stream carried in PES packets"},
    {19, "ISO/IEC 14496-1 SL-packetized stream or FlexMux stream carried in ISO/IEC 14496_sections"},
    {20, "ISO/IEC 13818-6 Synchronized Download Protocol"},
    // Assigned by the later editions of ISO/IEC 13818-1.
    {21, "Metadata carried in PES packets"},
    {22, "Metadata carried in metadata_sections"},
    {23, "Metadata carried in ISO/IEC 13818-6 Data Carousel"},
    {24, "Metadata carried in ISO/IEC 13818-6 Object Carousel"},
    {25, "Metadata carried in ISO/IEC 13818-6 Synchronized Download Protocol"},
    {26, "IPMP stream (defined in ISO/IEC 13818-11, MPEG-2 IPMP)"},
    {27, "AVC video stream as defined in ITU-T Rec. H.264 | ISO/IEC 14496-10 Video"},
    {28, "ISO/IEC 14496-3 Audio, without using any additional transport syntax, such as DST, ALS and SLS"},
    {29, "ISO/IEC 14496-17 Text"},
    {30, "Auxiliary video stream as defined in ISO/IEC 23002-3"},
    {31, "SVC video sub-bitstream of an AVC video stream conforming to one or more profiles defined in Annex G of "
         "ITU-T Rec. H.264 | ISO/IEC 14496-10"},
    {32, "MVC video sub-bitstream of an AVC video stream conforming to one or more profiles defined in Annex H of "
         "ITU-T Rec. H.264 | ISO/IEC 14496-10"},
    {33, "Video stream conforming to one or more profiles as defined in ITU-T Rec. T.800 | ISO/IEC 15444-1"},
    {34, "Additional view ITU-T Rec. H.262 | ISO/IEC 13818-2 video stream for service-compatible stereoscopic 3D "
         "services"},
    {35, "Additional view ITU-T Rec. H.264 | ISO/IEC 14496-10 video stream conforming to one or more profiles "
         "defined in Annex A for service-compatible stereoscopic 3D services"},
    {36, "ITU-T Rec. H.265 | ISO/IEC 23008-2 video stream or an HEVC temporal video sub-bitstream"},
    {{37, 127}, "ITU-T Rec. H.222.0 | ISO/IEC 13818-1 Reserved"},
    // The private values that other standards have made common, with the use that a reader will meet.
    {0x81, "User Private (AC-3 audio in ATSC)"},
    {0x86, "User Private (SCTE-35 splice information)"},
    {0x87, "User Private (E-AC-3 audio in ATSC)"},
    {{128, 255}, "User Private"},
};

constexpr Row service_type_rows[] = {
    {0, "reserved for future use"},
    {1, "digital television service"},
    {2, "digital radio sound service"},
    {3, "teletext service"},
    {4, "NVOD reference service"},
    {5, "NVOD time-shifted service"},
    {6, "mosaic service"},
    {7, "PAL coded service"},
    {8, "SECAM coded service"},
    {9, "D/D2-MAC"},
    {10, "FM Radio"},
    {11, "NTSC coded service"},
    {12, "data broadcast service"},
    {13, "reserved for Common Interface Usage"},
    {14, "RCS Map"},
    {15, "RCS FLS"},
    {16, "DVB MHP service"},
    {{17, 127}, "reserved for future use"},
    {{128, 254}, "user defined"},
    {255, "reserved for future use"},
};

constexpr Row teletext_type_rows[] = {
    {0, "reserved for future use"},
    {1, "initial teletext page"},
    {2, "teletext subtitle page"},
    {3, "additional information page"},
    {4, "programme schedule page"},
    {5, "teletext subtitle page for hearing impaired people"},
    {{6, 31}, "reserved for future use"},
};

constexpr Row audio_layer_rows[] = {
    {0, "reserved"},
    {1, "Layer III"},
    {2, "Layer II"},
    {3, "Layer I"},
};

constexpr Row audio_type_rows[] = {
    {0, "Undefined"},
    {1, "Clean Effects"},
    {2, "Hearing Impaired"},
    {3, "Visual Impaired Commentary"},
    {{4, 255}, "reserved"},
};

constexpr Row alignment_type_rows[] = {
    {0, "reserved"},
    {1, "Video: Slice or Video Access Unit, Audio: Sync Word"},
    {2, "Video: Video Access Unit, Audio: reserved"},
    {3, "Video: GOP or SEQ, Audio: reserved"},
    {4, "Video: SEQ, Audio: reserved"},
    {{5, 255}, "reserved"},
};

constexpr Row parental_rating_rows[] = {
    {0, "Not Classified"},
    {1, "reserved future use"},
    {2, "P (Pre school)"},
    {3, "reserved future use"},
    {4, "C (Children)"},
    {5, "reserved future use"},
    {6, "G (General)"},
    {7, "reserved future use"},
    {8, "PG (Parental Guidance Recommended)"},
    {9, "reserved future use"},
    {10, "M (Mature Audience 15+)"},
    {11, "reserved future use"},
    {12, "MA (Mature Adult Audience 15+)"},
    {13, "reserved future use"},
    {14, "AV (Adult Audience, Strong Violence 15+)"},
    {15, "R (Restricted 18+)"},
};

constexpr Row linkage_type_rows[] = {
    {0, "reserved for future use"},
    {1, "Information Service"},
    {2, "EPG Service"},
    {3, "CA Replacement Service"},
    {4, "TS containing complete Network/Bouquet SI"},
    {5, "Service Replacement Service"},
    {6, "Data Broadcast Service"},
    {7, "RCS Map"},
    {8, "Mobile Hand-over"},
    {9, "System Software Update Service"},
    {10, "TS containing SSU BAT or NIT"},
    {{11, 127}, "reserved for future use"},
    {{128, 254}, "user defined"},
    {255, "reserced for future use"},
};

constexpr Row hand_over_type_rows[] = {
    {0, "reserved for future use"},
    {1, "DVB hand-over to an identical service in a neighbouring country"},
    {2, "DVB hand-over to a local variation of the same service"},
    {3, "DVB hand-over to an associated service"},
    {{4, 15}, "reserved for future use"},
};

constexpr Row origin_type_rows[] = {
    {0, "NIT"},
    {1, "SDT"},
};

constexpr Row country_region_rows[] = {
    {0, "no time extension used"},
    {1, "reserved"},
    {2, "NSW / ACT"},
    {3, "VIC"},
    {4, "QLD"},
    {5, "SA"},
    {6, "WA"},
    {7, "TAS"},
    {8, "NT"},
    {{9, 60}, "reserved for future use"},
    {{61, 63}, "reserved"},
};

constexpr Row coding_type_rows[] = {
    {0, "not defined"},
    {1, "satellite"},
    {2, "cable"},
    {3, "terrestrial"},
};

constexpr Row bandwidth_rows[] = {
    {0, "8 MHz"},
    {1, "7 MHz"},
    {2, "6 MHz"},
    {{3, 7}, "reserved for future use"},
};

constexpr Row constellation_rows[] = {
    {0, "QPSK"},
    {1, "16-QAM"},
    {2, "64-QAM"},
    {3, "reserved for future use"},
};

constexpr Row hierarchy_information_rows[] = {
    {0, "non-hierarchical"},
    {1, "alpha = 1"},
    {2, "alpha = 2"},
    {3, "alpha = 4"},
    {{4, 7}, "reserved for future use"},
};

constexpr Row code_rate_rows[] = {
    {0, "1/2"},
    {1, "2/3"},
    {2, "3/4"},
    {3, "5/6"},
    {4, "7/8"},
    {{5, 7}, "reserved for future use"},
};

constexpr Row guard_interval_rows[] = {
    {0, "1/32"},
    {1, "1/16"},
    {2, "1/8"},
    {3, "1/4"},
};

constexpr Row transmission_mode_rows[] = {
    {0, "2k mode"},
    {1, "8k mode"},
    {{2, 3}, "reserved for future use"},
};

// The running_status of an SDT service (ETSI EN 300 468).
constexpr Row running_status_rows[] = {
    {0, "undefined"},
    {1, "not running"},
    {2, "starts in a few seconds (e.g. for video recording)"},
    {3, "pausing"},
    {4, "running"},
    {5, "service off-air"},
    {{6, 7}, "reserved for future use"},
};

constexpr Row ac3_channel_rows[] = {
    {0, "mono"},
    {1, "1+1 mode"},
    {2, "2-channel (stereo)"},
    {3, "2-channel Dolby Surround Encoded (stereo)"},
    {4, "Multichannel audio (> 2 channels)"},
    {{5, 7}, "reserved"},
};

// Keys: the full-service bit, then the service type; the channel text follows.
constexpr Row2 ac3_service_rows[] = {
    {1, 7, "Karaoke, "},
    {1, 0, "Complete Main (CM), "},
    {0, 1, "Music and Effects (ME), "},
    {0, 4, "Dialogue (D), "},
    {1, 2, "Visually Impaired (VI), full service, "},
    {0, 2, "Visually Impaired (VI), partial service, "},
    {1, 3, "Hearing Impaired (HI), full service, "},
    {0, 3, "Hearing Impaired (HI), partial service, "},
    {1, any, "Full service, "},
    {0, any, "Partial service, "},
};

constexpr Row2 component_rows[] = {
    {0, any, "reserved for future use"},

    {1, 0, "reserved for future use"},
    {1, 1, "video, 4:3 aspect ratio, 25Hz"},
    {1, 2, "video, 16:9 aspect ratio with pan vectors, 25Hz"},
    {1, 3, "video, 16:9 aspect ratio without pan vectors, 25Hz"},
    {1, 4, "video, > 16:9 aspect ratio, 25Hz"},
    {1, 5, "video, 4:3 aspect ratio, 30Hz"},
    {1, 6, "video, 16:9 aspect ratio with pan vectors, 30Hz"},
    {1, 7, "video, 16:9 aspect ratio without pan vectors, 30Hz"},
    {1, 8, "video, > 16:9 aspect ratio, 25Hz"},
    {1, 9, "high definition video, 4:3 aspect ratio, 25Hz"},
    {1, 10, "high definition video, 16:9 aspect ratio with pan vectors, 25Hz"},
    {1, 11, "high definition video, 16:9 aspect ratio without pan vectors, 25Hz"},
    {1, 12, "high definition video, > 16:9 aspect ratio, 25Hz"},
    {1, 13, "high definition video, 4:3 aspect ratio, 30Hz"},
    {1, 14, "high definition video, 16:9 aspect ratio with pan vectors, 30Hz"},
    {1, 15, "high definition video, 16:9 aspect ratio without pan vectors, 30Hz"},
    {1, 16, "high definition video, > 16:9 aspect ratio, 30Hz"},
    {1, {17, 175}, "reserved for future use"},
    {1, {176, 254}, "user defined"},
    {1, 255, "reserved for future use"},

    {2, 0, "reserved for future use"},
    {2, 1, "audio, single mono channel"},
    {2, 2, "audio, dual mono channel"},
    {2, 3, "audio, stereo (2 channel)"},
    {2, 4, "audio, multi-lingual, multi-channel"},
    {2, 5, "audio, surround sound"},
    {2, {6, 63}, "reserved for future use"},
    {2, 64, "audio description for the visually impaired"},
    {2, 65, "audio for the hard of hearing"},
    {2, {66, 175}, "reserved for future use"},
    {2, {176, 254}, "user defined"},
    {2, 255, "reserved for future use"},

    {3, 0, "reserved for future use"},
    {3, 1, "EBU Teletext Subtitles"},
    {3, 2, "associated EBU Teletext"},
    {3, 3, "VBI data"},
    {3, {4, 15}, "reserved for future use"},
    {3, 16, "DVB subtitles (normal) with no monitor aspect ratio criticality"},
    {3, 17, "DVB subtitles (normal) for display on 4:3 aspect ratio monitor"},
    {3, 18, "DVB subtitles (normal) for display on 16:9 aspect ratio monitor"},
    {3, 19, "DVB subtitles (normal) for display on 2.21:1 aspect ratio monitor"},
    {3, {20, 31}, "reserved for future use"},
    {3, 32, "DVB subtitles (for the hard of hearing) with no monitor aspect ratio criticality"},
    {3, 33, "DVB subtitles (for the hard of hearing) for display on 4:3 aspect ratio monitor"},
    {3, 34, "DVB subtitles (for the hard of hearing) for display on 16:9 aspect ratio monitor"},
    {3, 35, "DVB subtitles (for the hard of hearing) for display on 2.21:1 aspect ratio monitor"},
    {3, {36, 175}, "reserved for future use"},
    {3, {176, 254}, "user defined"},
    {3, 255, "reserved for future use"},

    {4, {0, 127}, "reserved for AC-3 audio modes"},
    {4, {128, 255}, "reserved for future use"},

    {{5, 11}, any, "reserved for future use"},
    {{12, 15}, any, "user defined"},
};

// Level 1 = 15 with level 2 = 0 has deliberately no row.
constexpr Row2 content_rows[] = {
    {0, any, "undefined content"},
    {1, 0, "movie (general)"},
    {2, 0, "news (general)"},
    {3, 0, "entertainment (general)"},
    {4, 0, "sport (general)"},
    {5, 0, "children's programmes (general)"},
    {6, 0, "music (general)"},
    {7, 0, "arts (general)"},
    {8, 0, "current affairs (general)"},
    {9, 0, "education / information (general)"},
    {10, 0, "infotainment (general)"},
    {11, 0, "special (general)"},
    {12, 0, "comedy (general)"},
    {13, 0, "drame (general)"},
    {14, 0, "documentary (general)"},
    {{1, 14}, {1, 14}, "reserved for future use"},
    {{1, 14}, 15, "user defined"},
    {15, {1, 15}, "user defined"},
};

constexpr std::array<std::string_view, 7> weekday_names{
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

constexpr std::array<std::string_view, 12> month_names{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

struct CalendarDate {
    std::int64_t year;
    std::int64_t month;
    std::int64_t day;
};

// The broadcast (EN 300 468 Annex C) conversion. It is exact from 1 March 1900
// to 28 February 2100; before that it counts 1900 as a leap year and runs one
// day ahead, so the earliest sixteen-bit dates are taken one day back.
CalendarDate calendar_date_of(std::int64_t mjd)
{
    constexpr std::int64_t first_exact_mjd = 15079;  // 1 March 1900
    if (mjd < first_exact_mjd) {
        --mjd;
    }
    // Rounded towards minus infinity by hand: std::floor is the program's only
    // use of the maths library, which would otherwise be loaded at every start.
    const auto whole = [](double value) {
        const auto truncated = static_cast<std::int64_t>(value);
        return static_cast<double>(truncated) > value ? truncated - 1 : truncated;
    };
    const double mjd_days = static_cast<double>(mjd);
    const std::int64_t y = whole((mjd_days - 15078.2) / 365.25);
    const std::int64_t year_days = whole(static_cast<double>(y) * 365.25);
    const std::int64_t m = whole((mjd_days - 14956.1 - static_cast<double>(year_days)) / 30.6001);
    const std::int64_t day = mjd - 14956 - year_days - whole(static_cast<double>(m) * 30.6001);
    const std::int64_t k = (m == 14 || m == 15) ? 1 : 0;
    return {1900 + y + k, m - 1 - 12 * k, day};
}

}  // namespace

std::string frame_rate_text(unsigned code) { return text_of(frame_rate_rows, code); }
std::string aspect_ratio_text(unsigned code) { return text_of(aspect_ratio_rows, code); }
std::string chroma_format_text(unsigned code) { return text_of(chroma_format_rows, code); }
std::string video_format_text(unsigned code) { return text_of(video_format_rows, code); }
std::string colour_primaries_text(unsigned code) { return text_of(colour_primaries_rows, code); }
std::string transfer_characteristics_text(unsigned code) { return text_of(transfer_characteristics_rows, code); }
std::string matrix_coefficients_text(unsigned code) { return text_of(matrix_coefficients_rows, code); }
std::string picture_coding_type_text(unsigned code) { return text_of(picture_coding_type_rows, code); }
std::string scalable_mode_text(unsigned code) { return text_of(scalable_mode_rows, code); }
std::string intra_dc_precision_text(unsigned code) { return text_of(intra_dc_precision_rows, code); }
std::string picture_structure_text(unsigned code) { return text_of(picture_structure_rows, code); }
std::string field_sequence_text(unsigned code) { return text_of(field_sequence_rows, code); }
std::string scrambling_control_text(unsigned code) { return text_of(scrambling_control_rows, code); }
std::string trick_mode_text(unsigned code) { return text_of(trick_mode_rows, code); }
std::string field_id_text(unsigned code) { return text_of(field_id_rows, code); }
std::string frequency_truncation_text(unsigned code) { return text_of(frequency_truncation_rows, code); }
std::string stream_type_text(unsigned code) { return text_of(stream_type_rows, code); }
std::string service_type_text(unsigned code) { return text_of(service_type_rows, code); }
std::string teletext_type_text(unsigned code) { return text_of(teletext_type_rows, code); }
std::string audio_layer_text(unsigned code) { return text_of(audio_layer_rows, code); }
std::string audio_type_text(unsigned code) { return text_of(audio_type_rows, code); }
std::string alignment_type_text(unsigned code) { return text_of(alignment_type_rows, code); }
std::string parental_rating_text(unsigned code) { return text_of(parental_rating_rows, code); }
std::string linkage_type_text(unsigned code) { return text_of(linkage_type_rows, code); }
std::string hand_over_type_text(unsigned code) { return text_of(hand_over_type_rows, code); }
std::string origin_type_text(unsigned code) { return text_of(origin_type_rows, code); }
std::string country_region_text(unsigned code) { return text_of(country_region_rows, code); }
std::string coding_type_text(unsigned code) { return text_of(coding_type_rows, code); }
std::string bandwidth_text(unsigned code) { return text_of(bandwidth_rows, code); }
std::string constellation_text(unsigned code) { return text_of(constellation_rows, code); }
std::string hierarchy_information_text(unsigned code) { return text_of(hierarchy_information_rows, code); }
std::string code_rate_text(unsigned code) { return text_of(code_rate_rows, code); }
std::string guard_interval_text(unsigned code) { return text_of(guard_interval_rows, code); }
std::string transmission_mode_text(unsigned code) { return text_of(transmission_mode_rows, code); }
std::string running_status_text(unsigned code) { return text_of(running_status_rows, code); }

std::string component_text(unsigned stream_content, unsigned component_type)
{
    return text_of(component_rows, stream_content, component_type);
}

std::string content_text(unsigned content_nibble_level_1, unsigned content_nibble_level_2)
{
    return text_of(content_rows, content_nibble_level_1, content_nibble_level_2);
}

std::string profile_and_level_text(unsigned profile_and_level_indication)
{
    const unsigned profile = (profile_and_level_indication >> 4) & 0x07;
    const unsigned level = profile_and_level_indication & 0x0F;
    return text_of(profile_rows, profile) + " Profile @ " + text_of(level_rows, level) + " Level";
}

std::string stream_id_text(unsigned stream_id)
{
    std::string text = text_of(stream_id_rows, stream_id);
    if (audio_stream_ids.holds(stream_id)) {
        text += std::to_string(stream_id & 0x1F);
    } else if (video_stream_ids.holds(stream_id)) {
        text += std::to_string(stream_id & 0x0F);
    }
    return text;
}

std::string ac3_component_type_text(unsigned component_type)
{
    if ((component_type & 0x80) != 0) {
        return "reserved";
    }
    const unsigned role = component_type & 0x7F;
    if (role == 0x70) {
        return "Emergency (E)";
    }
    if (role == 0x38) {
        return "Voiceover (VO)";
    }
    const unsigned full_service = (component_type >> 6) & 0x01;
    const unsigned service = (component_type >> 3) & 0x07;
    const unsigned channels = component_type & 0x07;
    constexpr unsigned commentary = 5;
    if (service == commentary) {
        return full_service != 0 ? "Commentary (C), full service" : "Commentary (C), partial service";
    }
    std::string text = text_of(ac3_service_rows, full_service, service) + text_of(ac3_channel_rows, channels);
    constexpr unsigned karaoke = 7;
    if (full_service != 0 && service == karaoke && channels <= 1) {
        text += " (prohibited)";
    }
    return text;
}

std::string mjd_date_text(unsigned mjd)
{
    // The field is sixteen bits wide; beyond it the conversion is no longer exact.
    if (mjd > 0xFFFF) {
        return std::string(not_defined);
    }
    const CalendarDate date = calendar_date_of(mjd);
    // MJD 0 was a Wednesday; index 0 is Monday.
    const std::string_view weekday = weekday_names[(mjd + 2) % 7];
    const std::string_view month = month_names[static_cast<std::size_t>(date.month - 1)];
    return format_text("%.*s, %02d %.*s %d", static_cast<int>(weekday.size()), weekday.data(), static_cast<int>(date.day),
                       static_cast<int>(month.size()), month.data(), static_cast<int>(date.year));
}

}  // namespace cut2edl
