#include "mpeg/frame_rate.h"
#include "mpeg/value_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace cut2edl {
namespace {

const std::string not_defined = "ERROR: not defined!";

using Lookup = std::string (*)(unsigned);

struct Case {
    Lookup lookup;
    unsigned value;
    std::string expected;
};

void expect_all(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        EXPECT_EQ(c.lookup(c.value), c.expected) << "value " << c.value;
    }
}

TEST(FrameRate, CodesOneToEightGiveTheRoundedRates)
{
    const double rates[] = {23.976, 24.0, 25.0, 29.97, 30.0, 50.0, 59.94, 60.0};
    for (unsigned code = 1; code <= 8; ++code) {
        EXPECT_EQ(frame_rate_of_code(code), rates[code - 1]) << "code " << code;
    }
}

TEST(FrameRate, ForbiddenReservedAndOutOfRangeCodesAreUnknown)
{
    for (unsigned code : {0u, 9u, 15u, 16u, UINT_MAX}) {
        EXPECT_EQ(frame_rate_of_code(code), -1.0) << "code " << code;
        EXPECT_EQ(exact_frame_rate_of_code(code), -1.0) << "code " << code;
    }
}

TEST(FrameRate, ExactRatesDifferOnlyForTheNtscFamily)
{
    EXPECT_EQ(exact_frame_rate_of_code(1), 24000.0 / 1001.0);
    EXPECT_EQ(exact_frame_rate_of_code(4), 30000.0 / 1001.0);
    EXPECT_EQ(exact_frame_rate_of_code(7), 60000.0 / 1001.0);
    for (unsigned code : {2u, 3u, 5u, 6u, 8u}) {
        EXPECT_EQ(exact_frame_rate_of_code(code), frame_rate_of_code(code)) << "code " << code;
    }
}

TEST(FrameRate, TextAgreesWithTheRate)
{
    expect_all({
        {frame_rate_text, 0, "forbidden"},
        {frame_rate_text, 1, "23.976 fps"},
        {frame_rate_text, 3, "25 fps"},
        {frame_rate_text, 4, "29.97 fps"},
        {frame_rate_text, 8, "60 fps"},
        {frame_rate_text, 9, "reserved"},
        {frame_rate_text, 15, "reserved"},
        {frame_rate_text, 16, not_defined},
    });
}

// The first and last code of multi-code rows, and the first code past the table.
TEST(RangeTables, BoundariesOfVideoHeaderTables)
{
    expect_all({
        {aspect_ratio_text, 4, "Display Aspect Ratio 2.21:1"},
        {aspect_ratio_text, 5, "reserved"},
        {aspect_ratio_text, 15, "reserved"},
        {aspect_ratio_text, 16, not_defined},
        {chroma_format_text, 0, "reserved"},
        {chroma_format_text, 3, "4:4:4"},
        {chroma_format_text, 4, not_defined},
        {video_format_text, 5, "Unspecified video format"},
        {video_format_text, 7, "Reserved"},
        {video_format_text, 8, not_defined},
        {colour_primaries_text, 7, "SMPTE 240M (1987)"},
        {colour_primaries_text, 8, "Reserved"},
        {colour_primaries_text, 256, not_defined},
        {transfer_characteristics_text, 8, "Linear Transfer Characteristics"},
        {transfer_characteristics_text, 9, "Reserved"},
        {transfer_characteristics_text, 255, "Reserved"},
        {matrix_coefficients_text, 4, "FCC"},
        {matrix_coefficients_text, 255, "Reserved"},
        {picture_coding_type_text, 3, "Bidirectionally-predictive-coded (B)"},
        {picture_coding_type_text, 5, "Reserved"},
        {picture_coding_type_text, 8, not_defined},
        {scalable_mode_text, 3, "Temporal Scalability"},
        {intra_dc_precision_text, 3, "11 bits"},
        {picture_structure_text, 3, "Frame Picture"},
        {field_sequence_text, 7, "Frame 4, Field 8"},
        {field_sequence_text, 8, not_defined},
    });
}

TEST(RangeTables, BoundariesOfPesAndProgramMapTables)
{
    expect_all({
        {scrambling_control_text, 0, "Not Scrambled"},
        {scrambling_control_text, 1, "User Defined"},
        {scrambling_control_text, 3, "User Defined"},
        {scrambling_control_text, 4, not_defined},
        {trick_mode_text, 4, "Slow Reverse"},
        {trick_mode_text, 7, "Reserved"},
        {field_id_text, 2, "Display complete frame"},
        {frequency_truncation_text, 3, "All coefficients may be non-zero"},
        {stream_type_text, 0, "ITU-T | ISO/IEC Reserved"},
        {stream_type_text, 2,
         "ITU-T Rec. H.262 | ISO/IEC 13818-2 Video or ISO/IEC 11172-2 constrained parameter video stream"},
        {stream_type_text, 20, "ISO/IEC 13818-6 Synchronized Download Protocol"},
        {stream_type_text, 0x15, "Metadata carried in PES packets"},
        {stream_type_text, 0x1B, "AVC video stream as defined in ITU-T Rec. H.264 | ISO/IEC 14496-10 Video"},
        {stream_type_text, 0x24, "ITU-T Rec. H.265 | ISO/IEC 23008-2 video stream or an HEVC temporal video sub-bitstream"},
        {stream_type_text, 0x25, "ITU-T Rec. H.222.0 | ISO/IEC 13818-1 Reserved"},
        {stream_type_text, 127, "ITU-T Rec. H.222.0 | ISO/IEC 13818-1 Reserved"},
        {stream_type_text, 128, "User Private"},
        {stream_type_text, 0x81, "User Private (AC-3 audio in ATSC)"},
        {stream_type_text, 0x86, "User Private (SCTE-35 splice information)"},
        {stream_type_text, 0x87, "User Private (E-AC-3 audio in ATSC)"},
        {stream_type_text, 0x88, "User Private"},
        {stream_type_text, 255, "User Private"},
        {stream_type_text, 256, not_defined},
    });
}

TEST(RangeTables, BoundariesOfDescriptorTables)
{
    expect_all({
        {service_type_text, 16, "DVB MHP service"},
        {service_type_text, 17, "reserved for future use"},
        {service_type_text, 128, "user defined"},
        {service_type_text, 254, "user defined"},
        {service_type_text, 255, "reserved for future use"},
        {teletext_type_text, 31, "reserved for future use"},
        {teletext_type_text, 32, not_defined},
        {audio_layer_text, 3, "Layer I"},
        {audio_type_text, 4, "reserved"},
        {alignment_type_text, 4, "Video: SEQ, Audio: reserved"},
        {parental_rating_text, 15, "R (Restricted 18+)"},
        {parental_rating_text, 16, not_defined},
        {linkage_type_text, 10, "TS containing SSU BAT or NIT"},
        {linkage_type_text, 254, "user defined"},
        {linkage_type_text, 255, "reserced for future use"},
        {hand_over_type_text, 15, "reserved for future use"},
        {origin_type_text, 1, "SDT"},
        {origin_type_text, 2, not_defined},
        {country_region_text, 8, "NT"},
        {country_region_text, 60, "reserved for future use"},
        {country_region_text, 61, "reserved"},
        {country_region_text, 64, not_defined},
        {coding_type_text, 3, "terrestrial"},
        {bandwidth_text, 3, "reserved for future use"},
        {constellation_text, 2, "64-QAM"},
        {hierarchy_information_text, 3, "alpha = 4"},
        {code_rate_text, 4, "7/8"},
        {guard_interval_text, 3, "1/4"},
        {transmission_mode_text, 3, "reserved for future use"},
        {transmission_mode_text, 4, not_defined},
    });
}

TEST(StreamId, AudioAndVideoIdsEndInTheirStreamNumber)
{
    const std::string audio = "MPEG-1 or MPEG-2 audio stream number ";
    const std::string video = "MPEG-1 or MPEG-2 video stream number ";
    expect_all({
        {stream_id_text, 0x10, not_defined},
        {stream_id_text, 0xBB, not_defined},
        {stream_id_text, 0xBC, "Program Stream Map"},
        {stream_id_text, 0xC0, audio + "0"},
        {stream_id_text, 0xC3, audio + "3"},
        {stream_id_text, 0xDF, audio + "31"},
        {stream_id_text, 0xE0, video + "0"},
        {stream_id_text, 0xEF, video + "15"},
        {stream_id_text, 0xF0, "ECM Stream"},
        {stream_id_text, 0xFC, "Reserved Data Stream"},
        {stream_id_text, 0xFE, "Reserved Data Stream"},
        {stream_id_text, 0xFF, "Program Stream Directory"},
        {stream_id_text, 0x1E0, not_defined},
    });
}

TEST(ProfileAndLevel, JoinsProfileAndLevelIgnoringTheEscapeBit)
{
    expect_all({
        {profile_and_level_text, 0x48, "Main Profile @ Main Level"},
        {profile_and_level_text, 0xC8, "Main Profile @ Main Level"},
        {profile_and_level_text, 0x14, "High Profile @ High Level"},
        {profile_and_level_text, 0x5A, "Simple Profile @ Low Level"},
        {profile_and_level_text, 0x36, "SNR Scalable Profile @ High 1440 Level"},
        {profile_and_level_text, 0x7F, "(Reserved) Profile @ (Reserved) Level"},
    });
}

TEST(Ac3ComponentType, ReservedEmergencyVoiceoverAndCommentaryIgnoreChannels)
{
    expect_all({
        {ac3_component_type_text, 0x92, "reserved"},
        {ac3_component_type_text, 0xF0, "reserved"},
        {ac3_component_type_text, 0x70, "Emergency (E)"},
        {ac3_component_type_text, 0x38, "Voiceover (VO)"},
        {ac3_component_type_text, 0x2C, "Commentary (C), partial service"},
        {ac3_component_type_text, 0x6A, "Commentary (C), full service"},
    });
}

TEST(Ac3ComponentType, ServiceTextFollowedByChannelText)
{
    expect_all({
        {ac3_component_type_text, 0x42, "Complete Main (CM), 2-channel (stereo)"},
        {ac3_component_type_text, 0x02, "Partial service, 2-channel (stereo)"},
        {ac3_component_type_text, 0x47, "Complete Main (CM), reserved"},
        {ac3_component_type_text, 0x0C, "Music and Effects (ME), Multichannel audio (> 2 channels)"},
        {ac3_component_type_text, 0x4C, "Full service, Multichannel audio (> 2 channels)"},
        {ac3_component_type_text, 0x20, "Dialogue (D), mono"},
        {ac3_component_type_text, 0x51, "Visually Impaired (VI), full service, 1+1 mode"},
        {ac3_component_type_text, 0x15, "Visually Impaired (VI), partial service, reserved"},
        {ac3_component_type_text, 0x5B, "Hearing Impaired (HI), full service, 2-channel Dolby Surround Encoded (stereo)"},
        {ac3_component_type_text, 0x1A, "Hearing Impaired (HI), partial service, 2-channel (stereo)"},
        {ac3_component_type_text, 0x78, "Karaoke, mono (prohibited)"},
        {ac3_component_type_text, 0x79, "Karaoke, 1+1 mode (prohibited)"},
        {ac3_component_type_text, 0x7A, "Karaoke, 2-channel (stereo)"},
        {ac3_component_type_text, 0x39, "Partial service, 1+1 mode"},
        {ac3_component_type_text, 0x30, "Partial service, mono"},
    });
}

TEST(Component, TwoKeyRowsWithTheirBoundaries)
{
    const std::string reserved = "reserved for future use";
    const std::string user = "user defined";
    struct Pair {
        unsigned content;
        unsigned type;
        std::string expected;
    };
    const Pair cases[] = {
        {0, 0, reserved},
        {0, 255, reserved},
        {1, 0, reserved},
        {1, 8, component_text(1, 4)},
        {1, 8, "video, > 16:9 aspect ratio, 25Hz"},
        {1, 16, "high definition video, > 16:9 aspect ratio, 30Hz"},
        {1, 17, reserved},
        {1, 175, reserved},
        {1, 176, user},
        {1, 254, user},
        {1, 255, reserved},
        {1, 256, not_defined},
        {2, 63, reserved},
        {2, 64, "audio description for the visually impaired"},
        {2, 65, "audio for the hard of hearing"},
        {2, 66, reserved},
        {3, 35, "DVB subtitles (for the hard of hearing) for display on 2.21:1 aspect ratio monitor"},
        {3, 36, reserved},
        {4, 127, "reserved for AC-3 audio modes"},
        {4, 128, reserved},
        {5, 1, reserved},
        {11, 255, reserved},
        {12, 0, user},
        {15, 255, user},
        {16, 0, not_defined},
    };
    for (const Pair& c : cases) {
        EXPECT_EQ(component_text(c.content, c.type), c.expected) << c.content << ", " << c.type;
    }
}

TEST(Content, GenresReservedUserDefinedAndTheMissingRow)
{
    struct Pair {
        unsigned level_1;
        unsigned level_2;
        std::string expected;
    };
    const Pair cases[] = {
        {0, 0, "undefined content"},
        {0, 15, "undefined content"},
        {1, 0, "movie (general)"},
        {13, 0, "drame (general)"},
        {14, 0, "documentary (general)"},
        {1, 1, "reserved for future use"},
        {14, 14, "reserved for future use"},
        {7, 15, "user defined"},
        {15, 0, not_defined},
        {15, 1, "user defined"},
        {15, 15, "user defined"},
        {16, 0, not_defined},
        {1, 16, not_defined},
    };
    for (const Pair& c : cases) {
        EXPECT_EQ(content_text(c.level_1, c.level_2), c.expected) << c.level_1 << ", " << c.level_2;
    }
}

TEST(MjdDate, MonthAndYearEndsAndLeapDays)
{
    expect_all({
        {mjd_date_text, 49273, "Wednesday, 13 October 1993"},
        {mjd_date_text, 50082, "Sunday, 31 December 1995"},
        {mjd_date_text, 50083, "Monday, 01 January 1996"},
        {mjd_date_text, 51543, "Friday, 31 December 1999"},
        {mjd_date_text, 51544, "Saturday, 01 January 2000"},
        {mjd_date_text, 51603, "Tuesday, 29 February 2000"},
        {mjd_date_text, 51604, "Wednesday, 01 March 2000"},
        {mjd_date_text, 53064, "Sunday, 29 February 2004"},
        {mjd_date_text, 53065, "Monday, 01 March 2004"},
    });
}

// 1900 was no leap year, which the broadcast conversion alone gets wrong.
TEST(MjdDate, WholeSixteenBitRangeIncludingBefore1900)
{
    expect_all({
        {mjd_date_text, 0, "Wednesday, 17 November 1858"},
        {mjd_date_text, 15078, "Wednesday, 28 February 1900"},
        {mjd_date_text, 15079, "Thursday, 01 March 1900"},
        {mjd_date_text, 65535, "Thursday, 22 April 2038"},
        {mjd_date_text, 65536, not_defined},
    });
}

// Every sixteen-bit date against the standard library's calendar, formatted
// from a fully filled-in tm (no time-zone conversion involved).
TEST(MjdDate, AgreesWithTheCalendarOnEveryDay)
{
    using namespace std::chrono;
    constexpr sys_days mjd_epoch = year{1858} / November / 17;
    for (unsigned mjd = 0; mjd <= 0xFFFF; ++mjd) {
        const sys_days day = mjd_epoch + days{mjd};
        const year_month_day date{day};
        std::tm fields{};
        fields.tm_year = static_cast<int>(date.year()) - 1900;
        fields.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
        fields.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
        fields.tm_wday = static_cast<int>(weekday{day}.c_encoding());
        char expected[64];
        std::strftime(expected, sizeof expected, "%A, %d %B %Y", &fields);
        ASSERT_EQ(mjd_date_text(mjd), expected) << "MJD " << mjd;
    }
}

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* current = std::getenv("TZ")) {
            saved_ = current;
        }
        set(zone);
    }
    ~ScopedTimeZone()
    {
        if (saved_) {
            set(saved_->c_str());
        } else {
            unsetenv("TZ");
            tzset();
        }
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    static void set(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }
    std::optional<std::string> saved_;
};

TEST(MjdDate, SameTextInEveryTimeZone)
{
    // Far east and far west of UTC, and a made-up zone whose summer time
    // starts on the very dates below.
    for (const char* zone : {"UTC", "Pacific/Kiritimati", "Etc/GMT+12", "XST+11:30XDT,M10.2.3/0,M3.1.0"}) {
        const ScopedTimeZone time_zone(zone);
        EXPECT_EQ(mjd_date_text(49273), "Wednesday, 13 October 1993") << zone;
        EXPECT_EQ(mjd_date_text(51604), "Wednesday, 01 March 2000") << zone;
        EXPECT_EQ(mjd_date_text(15078), "Wednesday, 28 February 1900") << zone;
    }
}

}  // namespace
}  // namespace cut2edl
