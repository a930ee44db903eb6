#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <boost/filesystem/exception.hpp>
#include <cstddef>
#include <map>
#include <sstream>

#include "demux/DemuxerTS.h"
#include "demux/MediaFile.h"
#include "command_output.h"
#include "ps_test_support.h"

namespace cut2edl {
namespace {

using test::Bytes;
using test::ScratchDir;

// One row of tests/data/expected.tsv, by column name.
using Row = std::map<std::string, std::string>;

std::vector<Row> expectedRows() {
    std::ifstream table(test::dataFile("expected.tsv"));
    std::string line;
    std::getline(table, line);
    std::vector<std::string> columns;
    for (std::istringstream header(line); std::getline(header, line, '\t');) columns.push_back(line);
    std::vector<Row> rows;
    while (std::getline(table, line)) {
        Row row;
        std::istringstream cells(line);
        for (const auto& column : columns) std::getline(cells, row[column], '\t');
        rows.push_back(row);
    }
    return rows;
}

ContainerKind kindNamed(const std::string& name) {
    if (name == "ps") return ContainerKind::ProgramStream;
    if (name == "ts") return ContainerKind::TransportStream;
    if (name == "asf") return ContainerKind::Asf;
    return ContainerKind::Unknown;
}

// Filler that holds no marker, then `marker` at `offset`, then more filler.
Bytes withMarkerAt(std::size_t offset, const Bytes& marker) {
    Bytes bytes(offset + marker.size() + 16, 0xAA);
    std::copy(marker.begin(), marker.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return bytes;
}

const Bytes packStart{0x00, 0x00, 0x01, 0xBA};
const Bytes syncByte{0x47};
const Bytes asfStart{0x30, 0x26, 0xB2, 0x75};

TEST(SniffContainer, EveryMediaFileIsRecognisedAsListed) {
    const auto rows = expectedRows();
    ASSERT_FALSE(rows.empty());
    for (const auto& row : rows) {
        EXPECT_EQ(sniffContainer(test::dataFile(row.at("file"))), kindNamed(row.at("container"))) << row.at("file");
    }
}

TEST(SniffContainer, BeyondOffset1023AHeaderOrARunOfPacketsCountsButNoStrayByte) {
    ScratchDir dir;
    for (const auto& [marker, kind] : {std::pair{packStart, ContainerKind::ProgramStream},
                                       std::pair{syncByte, ContainerKind::Unknown},
                                       std::pair{asfStart, ContainerKind::Asf}}) {
        EXPECT_EQ(sniffContainer(dir.write("at1023", withMarkerAt(1023, marker))), kind == ContainerKind::Unknown
                                                                                      ? ContainerKind::TransportStream
                                                                                      : kind);
        EXPECT_EQ(sniffContainer(dir.write("at1024", withMarkerAt(1024, marker))), kind);
    }
    EXPECT_EQ(sniffContainer(dir.write("at65536", withMarkerAt(65536, packStart))), ContainerKind::Unknown);
}

// Bytes as a capture may begin with: no pattern, and some 0x47 among them.
Bytes junk(std::size_t size) {
    Bytes bytes(size);
    std::uint32_t state = 12345;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

TEST(MediaFile, FindsTheRecordingBehindJunk) {
    ScratchDir dir;
    const Bytes ts = test::readAll(test::dataFile("ts-25-720x576-ac3.ts"));
    const Bytes ps = test::readAll(test::dataFile("ps-25-720x576-mp2.mpg"));
    for (const std::size_t size : {0u, 1100u, 4096u}) {
        Bytes before = junk(size);
        ASSERT_TRUE(size == 0 || std::count(before.begin(), before.begin() + 1024, 0x47) > 0);
        for (const Bytes* recording : {&ts, &ps}) {
            Bytes file = before;
            file.insert(file.end(), recording->begin(), recording->end());
            const MediaFile media(dir.write("behind-junk", file));
            const auto found = findContainerMarker(media.path);
            EXPECT_EQ(found.kind, recording == &ts ? ContainerKind::TransportStream : ContainerKind::ProgramStream);
            EXPECT_EQ(found.offset, static_cast<std::int64_t>(size));
            EXPECT_EQ(media.frameRate, 25.0) << size;
        }
    }
}

TEST(SniffContainer, ASyncByteThatBeginsNoPacketsDecidesOnlyWithoutALaterMarker) {
    ScratchDir dir;
    const Bytes strayBeforePack{0xAA, 0x47, 0xAA, 0x00, 0x00, 0x01, 0xBA};
    EXPECT_EQ(findContainerMarker(dir.write("stray", strayBeforePack)).kind, ContainerKind::ProgramStream);
    EXPECT_EQ(findContainerMarker(dir.write("stray", strayBeforePack)).offset, 3);
    EXPECT_EQ(sniffContainer(dir.write("first47", {0x47, 0x30, 0x26, 0xB2, 0x75})), ContainerKind::Asf);
    // Two packet starts 188 bytes apart in a file too short for a third make a
    // transport stream, before a later pack header.
    Bytes packets(304, 0xAA);
    packets[0] = packets[188] = 0x47;
    std::copy(packStart.begin(), packStart.end(), packets.begin() + 300);
    EXPECT_EQ(sniffContainer(dir.write("packets", packets)), ContainerKind::TransportStream);
}

TEST(SniffContainer, WindowPastTheEndIsNoMatch) {
    ScratchDir dir;
    EXPECT_EQ(sniffContainer(dir.write("empty", {})), ContainerKind::Unknown);
    EXPECT_EQ(sniffContainer(dir.write("short", {0x47, 0, 0})), ContainerKind::Unknown);
    EXPECT_EQ(sniffContainer(dir.write("exact", {0x47, 0, 0, 0})), ContainerKind::TransportStream);
    EXPECT_EQ(sniffContainer(dir.write("cutpack", {0xAA, 0x00, 0x00, 0x01})), ContainerKind::Unknown);
}

TEST(SniffContainer, UnopenableFileIsUnknown) {
    ScratchDir dir;
    std::filesystem::create_symlink(dir.path("nowhere"), dir.path("dangling"));
    EXPECT_EQ(sniffContainer(dir.path("dangling").string()), ContainerKind::Unknown);
}

TEST(MediaFile, ProbesEveryProgramStreamAsListed) {
    for (const auto& row : expectedRows()) {
        if (row.at("container") != "ps") continue;
        MediaFile media(test::dataFile(row.at("file")));
        EXPECT_EQ(media.containerKind, ContainerKind::ProgramStream);
        EXPECT_EQ(media.frameRate, std::stod(row.at("tool_rate"))) << row.at("file");
        EXPECT_EQ(media.width, std::stoi(row.at("width"))) << row.at("file");
        EXPECT_EQ(media.height, std::stoi(row.at("height"))) << row.at("file");
        EXPECT_EQ(media.fileSize, std::stoull(row.at("bytes")));
        EXPECT_TRUE(media.demuxer);
    }
}

TEST(MediaFile, UnrecognisedFilesHaveNoRate) {
    for (const char* name : {"neg-empty.mpg", "neg-text.mpg", "neg-47at1024.ts"}) {
        MediaFile media(test::dataFile(name));
        EXPECT_EQ(media.containerKind, ContainerKind::Unknown) << name;
        EXPECT_EQ(media.frameRate, -1.0) << name;
        EXPECT_EQ(media.ticksPerFrame, -90000) << name;
        EXPECT_FALSE(media.demuxer);
    }
}

TEST(MediaFile, TicksPerFrameTruncateTheClockOverTheRate) {
    EXPECT_EQ(MediaFile(test::dataFile("ps-25-720x576-mp2.mpg")).ticksPerFrame, 3600);
    EXPECT_EQ(MediaFile(test::dataFile("ps-2997-720x480-mp2.mpg")).ticksPerFrame, 3003);
    EXPECT_EQ(MediaFile(test::dataFile("ps-50-720x576-mp2.mpg")).ticksPerFrame, 1800);
}

TEST(MediaFile, DirectoryPathThrowsBeforeSniffing) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.path("video.mpg"));
    EXPECT_THROW(MediaFile(dir.path("video.mpg").string()), boost::filesystem::filesystem_error);
}

}  // namespace
}  // namespace cut2edl

namespace cut2edl {
namespace {

using test::commandOutput;

double fraction(const std::string& text) {
    const auto slash = text.find('/');
    return slash == std::string::npos ? std::stod(text) : std::stod(text) / std::stod(text.substr(slash + 1));
}

// What ffprobe tells of a video stream ("v:0", or "i:PID" in a transport stream).
struct FfprobeVideo {
    double duration = -1;  // none when ffprobe tells none
    double frameRate = 0;
};

// ffprobe's duration counts from its first packet's time stamp; where the
// pictures behind it in decoding order come before it (a capture that begins
// with the B-pictures of a group), the duration counts from the earliest.
FfprobeVideo ffprobeVideo(const std::string& path, const std::string& stream) {
    std::istringstream fields(commandOutput("ffprobe -v error -select_streams " + stream +
                                            " -show_entries stream=index,r_frame_rate,time_base,start_pts,duration"
                                            " -of csv=p=0 '" + path + "' 2>/dev/null"));
    std::string index, rate, timeBase, startPts, duration;
    for (std::string* field : {&index, &rate, &timeBase, &startPts, &duration}) std::getline(fields, *field, ',');
    if (duration.empty() || !std::isdigit(static_cast<unsigned char>(duration[0]))) return {};
    std::istringstream packets(commandOutput("ffprobe -v error -show_entries packet=stream_index,pts -of csv=p=0 '" +
                                             path + "' 2>/dev/null"));
    long long earliest = std::stoll(startPts);
    for (std::string line; std::getline(packets, line);) {
        if (line.starts_with(index + ",") && std::isdigit(static_cast<unsigned char>(line[index.size() + 1]))) {
            earliest = std::min(earliest, std::stoll(line.substr(index.size() + 1)));
        }
    }
    return {std::stod(duration) + static_cast<double>(std::stoll(startPts) - earliest) * fraction(timeBase),
            fraction(rate)};
}

TEST(MediaFileDuration, EveryRecordingLastsAsLongAsFfprobeSaysWithinOneFrame) {
    if (std::system("command -v ffprobe > /dev/null") != 0) GTEST_SKIP() << "ffprobe is not installed";
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CUT2EDL_TEST_DATA)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".ts" && extension != ".mpg" && extension != ".mpeg" && extension != ".dvr-ms") continue;
        const MediaFile media(entry.path().string());
        const auto ts = std::dynamic_pointer_cast<DemuxerTS>(media.demuxer);
        const FfprobeVideo theirs =
            ffprobeVideo(media.path, ts ? "i:" + std::to_string(ts->chosenVideoPid()) : std::string("v:0"));
        if (theirs.duration < 0) continue;
        const std::optional<double> ours = media.duration();
        ASSERT_TRUE(ours) << media.path;
        EXPECT_NEAR(*ours, theirs.duration, 1 / theirs.frameRate) << media.path;
        ++compared;
    }
    EXPECT_GE(compared, 40);
}

Bytes nullPackets(std::size_t count) {
    Bytes packet(188, 0xFF);
    packet[0] = 0x47, packet[1] = 0x1F, packet[3] = 0x10;
    Bytes packets;
    for (std::size_t i = 0; i < count; ++i) packets.insert(packets.end(), packet.begin(), packet.end());
    return packets;
}

// The recording's 38 pictures at 25 frames per second last 1.52 s.
TEST(MediaFileDuration, TheLastTimeStampsAreLookedForBackwardWithin4MiB) {
    ScratchDir dir;
    const Bytes ts = test::readAll(test::dataFile("ts-25-720x576-ac3.ts"));
    for (const auto& [stuffing, expected] : std::vector<std::pair<std::size_t, std::optional<double>>>{
             {2000, 1.52},      // 376,000 bytes: two blocks back, behind a cut-off packet
             {22000, 1.52},     // 4,136,000 bytes: the video's last 58 kB lie within 4 MiB
             {22400, std::nullopt}}) {  // 4,211,200 bytes: more than 4 MiB
        Bytes file = ts;
        const Bytes after = nullPackets(stuffing);
        file.insert(file.end(), after.begin(), after.end() - 100);
        const MediaFile media(dir.write("stuffed.ts", file));
        EXPECT_EQ(media.duration(), expected) << stuffing;
    }
}

TEST(MediaFileDuration, AnAsfFileStillBeingWrittenHasNone) {
    ScratchDir dir;
    Bytes asf = test::readAll(test::dataFile("asf-25-720x576-mp2.dvr-ms"));
    EXPECT_EQ(MediaFile(dir.write("whole.dvr-ms", asf)).duration(), 2.046);
    // File Properties Object: its GUID, then the Flags 88 bytes into it.
    const Bytes guid{0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11, 0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
    const auto object = std::search(asf.begin(), asf.end(), guid.begin(), guid.end());
    ASSERT_NE(object, asf.end());
    object[88] |= 0x01;  // Broadcast
    EXPECT_EQ(MediaFile(dir.write("being-written.dvr-ms", asf)).duration(), std::nullopt);
}

}  // namespace
}  // namespace cut2edl
