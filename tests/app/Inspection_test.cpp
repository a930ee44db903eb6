// The inspect report, end to end on shared recordings and real captures.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "program_run_support.h"

namespace cut2edl {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Inspects copies of the named files in a folder of their own.
struct Inspection {
    test::TempDir folder;
    ProgramRun run;
    std::vector<std::string> lines;

    explicit Inspection(const std::vector<std::string>& files) {
        std::vector<std::string> arguments{"--inspect", "--no-pause"};
        for (const std::string& file : files) {
            test::copyDataFile(file, folder / file);
            arguments.push_back((folder / file).string());
        }
        run = runProgram(folder.path(), arguments);
        lines = linesOf(run.out);
    }
};

TEST(Inspection, ReportsATransportStreamsTablesProgramsAndChoice) {
    const Inspection inspection({"ts-2prog-720x576-25-1920x1080-2997-ac3.ts"});
    const auto& lines = inspection.lines;
    EXPECT_TRUE(hasLine(lines, "Inspecting \"" + (inspection.folder / "ts-2prog-720x576-25-1920x1080-2997-ac3.ts").string() + "\""));
    EXPECT_TRUE(hasLine(lines, "  Size: 162620 bytes"));
    EXPECT_TRUE(hasLine(lines, "  Container: MPEG-2 transport stream (sync byte 0x47 at offset 0)"));
    EXPECT_TRUE(hasLine(lines, "  PMT (PID 0x1001, program 2):"));
    EXPECT_TRUE(hasLine(lines, "      stream_type: 0x81 (User Private (AC-3 audio in ATSC))"));
    // Each descriptor is named, with its tag in hex and decimal and its length; its lines stand beneath.
    EXPECT_TRUE(hasLine(lines, "        registration_descriptor (tag 0x05 = 5, 4 bytes)"));
    EXPECT_TRUE(hasLine(lines, "          Format Identifier: 0x41432D33"));
    // The muxer's SDT names both services; each program goes by its service's name.
    EXPECT_TRUE(hasLine(lines, "  SDT (PID 0x0011):"));
    EXPECT_TRUE(hasLine(lines, "          Service Name: Second"));
    EXPECT_TRUE(hasLine(lines, "  Program 1 \"First\" (PMT PID 0x1000):"));
    EXPECT_TRUE(hasLine(lines, "      Size Value (see extension, if any): 720 x 576"));
    EXPECT_TRUE(hasLine(lines, "  Program 2 \"Second\" (PMT PID 0x1001):"));
    EXPECT_TRUE(hasLine(lines, "      Size Value (see extension, if any): 1920 x 1080"));
    // 90 kHz over 30000/1001 pictures a second: 3003 ticks.
    EXPECT_TRUE(hasLine(lines, "    The time stamps give: 29.97002997 frames per second (17 PTS values, 3003 ticks apart)"));
    EXPECT_TRUE(hasLine(lines, "  Chosen program: 2 \"Second\", the widest of 2 complete ones"));
    EXPECT_TRUE(hasLine(lines, "  Frame rate: 29.97 frames per second, 1920 x 1080"));
    EXPECT_EQ(inspection.run.err, "");
}

TEST(Inspection, ShowsTheRaiMultiplexsHevcServiceAndWhyAProgramWithSoundIsChosen) {
    const Inspection inspection({"dvbt-it-rai-mux-head.ts"});
    const auto& lines = inspection.lines;
    const auto programs = std::count_if(lines.begin(), lines.end(),
                                        [](const std::string& line) { return line.rfind("  Program ", 0) == 0; });
    EXPECT_EQ(programs, 8);
    EXPECT_TRUE(hasLine(lines, "  Program 3410 \"Test HEVC main10\" (PMT PID 0x012C):"));
    EXPECT_TRUE(hasLine(lines, "    Video PID: 0x01F4 (stream_type 0x24)"));
    EXPECT_TRUE(hasLine(lines, "    Video parameter set:"));
    EXPECT_TRUE(hasLine(lines, "    Sequence parameter set:"));
    EXPECT_TRUE(hasLine(lines, "      Frame size: 1280 x 720"));
    EXPECT_TRUE(hasLine(lines, "      Frame rate: 50 frames per second"));
    EXPECT_TRUE(hasLine(lines, "    No parameter set: no video PID"));
    // A teletext descriptor's items stand under its heading, under their stream entry, under the PMT.
    EXPECT_TRUE(hasLine(lines, "      elementary_PID: 0x0241 (577)"));
    EXPECT_TRUE(hasLine(lines, "        teletext_descriptor (tag 0x56 = 86, 15 bytes)"));
    EXPECT_TRUE(hasLine(lines, "          ISO_639_language_code: ita"));
    EXPECT_TRUE(hasLine(lines, "          teletext_type: 0x02 (teletext subtitle page)"));
    EXPECT_TRUE(hasLine(lines, "  Chosen program: 3401 \"Rai 1\", none being complete: among the programs with a parameter "
                               "set, those with sound first, then the widest, then the earlier"));
    EXPECT_TRUE(hasLine(lines, "  Frame rate: 25 frames per second, 720 x 576"));
}

// Lines that list the bytes of a descriptor without a class of its own.
long unnamedByteDumps(const std::vector<std::string>& lines) {
    return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        const auto at = line.find("Data Bytes:");
        return at != std::string::npos && at == line.find_first_not_of(' ');
    });
}

TEST(Inspection, NamesEveryProgramOfTheRaiMultiplexByItsService) {
    const Inspection inspection({"dvbt-it-rai-mux-head.ts"});
    const auto& lines = inspection.lines;
    // The PAT's programs and PMT PIDs, named by the service descriptors of the SDT.
    for (const char* program : {"3401 \"Rai 1\" (PMT PID 0x0102)", "3402 \"Rai 2\" (PMT PID 0x0101)",
                                "3403 \"Rai 3 TGR Emilia Romagna\" (PMT PID 0x0100)",
                                "3404 \"Rai Radio1\" (PMT PID 0x0103)", "3405 \"Rai Radio2\" (PMT PID 0x0104)",
                                "3406 \"Rai Radio3\" (PMT PID 0x0105)", "3411 \"Rai News 24\" (PMT PID 0x0118)"}) {
        EXPECT_TRUE(hasLine(lines, "  Program " + std::string(program) + ":")) << program;
    }
    EXPECT_TRUE(hasLine(lines, "  SDT (PID 0x0011):"));
    EXPECT_TRUE(hasLine(lines, "    original_network_id: 0x013E (318)"));
    // The HEVC test service: its flags byte 0xFC has both EIT flags clear.
    EXPECT_TRUE(hasLine(lines, "      service_id: 3410 (0x0D52)"));
    EXPECT_TRUE(hasLine(lines, "      EIT_schedule_flag: No"));
    EXPECT_TRUE(hasLine(lines, "        service_descriptor (tag 0x48 = 72, 22 bytes)"));
    EXPECT_TRUE(hasLine(lines, "        HEVC_video_descriptor (tag 0x38 = 56, 15 bytes)"));
    EXPECT_EQ(unnamedByteDumps(lines), 0);
}

TEST(Inspection, NamesTheProgramsOfAPatWhosePmtsDidNotCome) {
    const Inspection inspection({"dvbt-it-mediaset-psi-only.ts"});
    const auto& lines = inspection.lines;
    EXPECT_TRUE(hasLine(lines, "  Program 1 \"Italia 1\" (PMT PID 0x0100):"));
    EXPECT_TRUE(hasLine(lines, "  Program 899 \"Infinity\" (PMT PID 0x010C):"));
    // Its running_status byte 0x90: running (4), scrambled (free_CA_mode 1).
    EXPECT_TRUE(hasLine(lines, "      free_CA_mode: Yes"));
    EXPECT_TRUE(hasLine(lines, "        conditional_access_descriptor (tag 0x09 = 9, 4 bytes)"));
    EXPECT_EQ(unnamedByteDumps(lines), 0);
}

TEST(Inspection, ShowsTheDescriptorsAndServiceNameThatFfmpegWritesForDvb) {
    if (std::system("command -v ffmpeg > /dev/null") != 0) GTEST_SKIP() << "ffmpeg is not installed";
    const test::TempDir folder;
    const std::string video = (folder / "eac3.ts").string();
    // In DVB mode E-AC-3 is private data with an enhanced AC-3 descriptor, and a
    // name beyond ASCII is written in UTF-8 behind the selector 0x15.
    ASSERT_EQ(std::system(("ffmpeg -v error -f lavfi -i sine=duration=0.2 -c:a eac3 -mpegts_flags system_b "
                           "-metadata service_name='Prova \xC3\xA8' -f mpegts " + quoted(video)).c_str()), 0);
    const auto lines = linesOf(runProgram(folder.path(), {"--inspect", "--no-pause", video}).out);
    EXPECT_TRUE(hasLine(lines, "        enhanced_AC3_descriptor (tag 0x7A = 122, 1 byte)"));
    EXPECT_TRUE(hasLine(lines, "          mixinfoexists: No"));
    // The descriptor's own line keeps the selector, shown as a control byte; the program's name is decoded.
    EXPECT_TRUE(hasLine(lines, "          Service Name: \\x15Prova \xC3\xA8"));
    EXPECT_TRUE(hasLine(lines, "  Program 1 \"Prova \xC3\xA8\" (PMT PID 0x1000):"));
}

TEST(Inspection, ShowsTheSequenceParameterSetOfAnH264Program) {
    const Inspection inspection({"ts-2prog-720x576-25-mpeg2-1920x1080-2997-h264-ac3.ts"});
    const auto& lines = inspection.lines;
    EXPECT_TRUE(hasLine(lines, "    Video PID: 0x0102 (stream_type 0x1B)"));
    EXPECT_TRUE(hasLine(lines, "    Sequence parameter set:"));
    EXPECT_TRUE(hasLine(lines, "      profile_idc: 100 (High)"));
    EXPECT_TRUE(hasLine(lines, "      Frame size: 1920 x 1080"));
    EXPECT_TRUE(hasLine(lines, "  Frame rate: 29.97002997 frames per second, 1920 x 1080"));
}

TEST(Inspection, ShowsAProgramStreamsSequenceHeaderAndTheExtensionThatScalesItsRate) {
    const Inspection inspection({"ps-15-352x288-mp2.mpg"});
    const auto& lines = inspection.lines;
    EXPECT_TRUE(hasLine(lines, "  Container: MPEG program stream (pack header 00 00 01 BA at offset 0)"));
    EXPECT_TRUE(hasLine(lines, "  Video stream id: 0xE0, audio stream id: 0xC0"));
    EXPECT_TRUE(hasLine(lines, "    Size Value (see extension, if any): 352 x 288"));
    EXPECT_TRUE(hasLine(lines, "    Frame Rate Value: 25 fps"));
    EXPECT_TRUE(hasLine(lines, "    Frame Rate Extension: frame rate x 3 / 5"));
    EXPECT_TRUE(hasLine(lines, "  Frame rate scaled by the sequence extension: x 3 / 5"));
    EXPECT_TRUE(hasLine(lines, "  Frame rate: 15 frames per second, 352 x 288"));
}

TEST(Inspection, ShowsTheAsfHeaderObjectsStreamsAndTheFiveVotes) {
    const Inspection inspection({"asf-2997-720x480-mp2.dvr-ms"});
    const auto& lines = inspection.lines;
    // Its size is the little-endian 64-bit value at bytes 16-23: 0x281.
    EXPECT_TRUE(hasLine(lines, "    ASF_Header_Object at offset 0, 641 bytes"));
    EXPECT_TRUE(hasLine(lines, "    Stream 1: video"));
    const auto votes = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("    Sequence header ", 0) == 0 &&
               line.find(": 720 x 480, frame_rate_code 4 (29.97 fps), scaled x 1 / 1") != std::string::npos;
    });
    EXPECT_EQ(votes, 5);
    EXPECT_TRUE(hasLine(lines, "  Frame rate: 29.97002997 frames per second, 720 x 480"));
}

TEST(Inspection, SaysThatTheHevcPicturesOfAFieldCodedStreamAreFields) {
    const Inspection inspection({"ts-25i-1920x1080-hevc-ac3.ts"});
    EXPECT_TRUE(hasLine(inspection.lines, "    The pictures are fields: the rate counts pictures"));
    EXPECT_TRUE(hasLine(inspection.lines, "  Frame rate: 50 frames per second, 1920 x 540"));
}

// The lines of the run from the first that `first` begins to the first empty one.
std::vector<std::string> blockOf(const std::vector<std::string>& lines, const std::string& first) {
    auto begin = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(first, 0) == 0; });
    return {begin, std::find(begin, lines.end(), "")};
}

TEST(Inspection, OfACutListShowsItsHeaderThenItsVideoThenTheRateAConversionWouldUse) {
    const test::TempDir folder;
    test::writeFile(folder / "show.txt", "FILE PROCESSING COMPLETE  71001 FRAMES AT  5000\r\n0 100\r\n");
    test::copyDataFile("ts-25i-1920x1080-h264-ac3.ts", folder / "show.ts");
    test::writeFile(folder / "agrees.txt", "FILE PROCESSING COMPLETE  1 FRAMES AT  2500\n");
    test::copyDataFile("ts-25i-1920x1080-h264-ac3.ts", folder / "agrees.ts");
    test::writeFile(folder / "lonely.txt", "1 2\n");
    test::writeFile(folder / "counted.txt", "FILE PROCESSING COMPLETE 9 FRAMES AT 2997\n");
    const ProgramRun run = runProgram(folder.path(), {"-i", "--no-pause", "show.txt", "agrees.txt", "lonely.txt", "counted.txt"});
    const auto lines = linesOf(run.out);

    const auto show = blockOf(lines, "Cut list \"show.txt\"");
    ASSERT_GE(show.size(), 6U);
    EXPECT_EQ(show[1], "  Header: 71001 frames counted at 50 frames per second (FRAMES AT 5000)");
    EXPECT_EQ(show[2], "Inspecting \"show.ts\"");
    EXPECT_EQ(show[show.size() - 3], "  Frame rate: 25 frames per second, 1920 x 1080");
    // 25 pictures from 1.48 s on, 3600 ticks apart.
    EXPECT_EQ(show[show.size() - 2], "  Duration: 1 s (video PTS 133200 to 219600, and one frame)");
    EXPECT_EQ(show.back(), "  Rate used: 50 frames per second, the cut list's: its video runs at 25");

    EXPECT_EQ(blockOf(lines, "Cut list \"agrees.txt\"").back(),
              "  Rate used: 25 frames per second, the video's: the cut list's header agrees with it");
    EXPECT_EQ(blockOf(lines, "Cut list \"lonely.txt\""),
              (std::vector<std::string>{
                  "Cut list \"lonely.txt\"", "  Header: none (no \"FILE PROCESSING COMPLETE\" line first)",
                  "  Rate used: none, so the cut list cannot be converted: no accompaning video file could be found",
                  "Unable to inspect \"lonely.txt\" because no accompaning video file could be found."}));
    EXPECT_EQ(blockOf(lines, "Cut list \"counted.txt\"")[2],
              "  Rate used: 29.97002997 frames per second, the cut list's: no accompaning video file could be found");
    EXPECT_FALSE(fs::exists(folder / "show.edl"));
    EXPECT_FALSE(fs::exists(folder / "counted.edl"));
}

}  // namespace
}  // namespace cut2edl
