#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem/exception.hpp>
#include <cstddef>
#include <map>
#include <sstream>

#include "demux/MediaFile.h"
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
