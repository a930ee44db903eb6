#pragma once

// Builds small ASF files byte by byte, so each walk rule can be tried on a
// file whose every offset is known.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "asf/AsfGuid.h"
#include "asf/DemuxerASF.h"
#include "demux/MediaFile.h"

namespace cut2edl::asftest {

using Bytes = std::vector<std::uint8_t>;

inline void append(Bytes& to, const Bytes& from) { to.insert(to.end(), from.begin(), from.end()); }

inline void putLE(Bytes& to, std::uint64_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) to.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline Bytes guidOf(std::int32_t id) {
    const AsfGuid& guid = AsfGuidTable[static_cast<std::size_t>(id)].guid;
    return Bytes(guid.begin(), guid.end());
}

// An object whose size field says `size` whatever the body holds.
inline Bytes objectWithSize(std::int32_t id, std::uint64_t size, const Bytes& body) {
    Bytes object = guidOf(id);
    putLE(object, size, 8);
    append(object, body);
    return object;
}

inline Bytes object(std::int32_t id, const Bytes& body) { return objectWithSize(id, 24 + body.size(), body); }

inline Bytes headerObject(const std::vector<Bytes>& children) {
    Bytes body;
    putLE(body, children.size(), 4);
    body.push_back(1);
    body.push_back(2);
    for (const Bytes& child : children) append(body, child);
    return object(ASF_Header_Object, body);
}

inline Bytes fileProperties(std::uint32_t packetSize) {
    Bytes body(16, 0xAB);            // file id
    for (int i = 0; i < 6; ++i) putLE(body, 1000 + i, 8);  // file size .. preroll
    putLE(body, 2, 4);               // flags
    putLE(body, packetSize, 4);      // minimum data packet size
    putLE(body, packetSize, 4);      // maximum data packet size
    putLE(body, 264000, 4);          // maximum bitrate
    return object(ASF_File_Properties_Object, body);
}

inline Bytes streamPropertiesBody(std::int32_t typeId, std::uint8_t number, const Bytes& typeSpecific = {}) {
    Bytes body = guidOf(typeId);
    append(body, guidOf(5));  // no error correction
    putLE(body, 0, 8);        // time offset
    putLE(body, typeSpecific.size(), 4);
    putLE(body, 0, 4);        // error correction data length
    putLE(body, number, 2);   // flags: the stream number
    putLE(body, 0, 4);        // reserved
    append(body, typeSpecific);
    return body;
}

inline Bytes streamProperties(std::int32_t typeId, std::uint8_t number, const Bytes& typeSpecific = {}) {
    return object(ASF_Stream_Properties_Object, streamPropertiesBody(typeId, number, typeSpecific));
}

inline Bytes dataObject(const std::vector<Bytes>& packets) {
    Bytes body(16, 0xCD);
    putLE(body, packets.size(), 8);
    body.push_back(1);
    body.push_back(1);
    for (const Bytes& packet : packets) append(body, packet);
    return object(ASF_Data_Object, body);
}

// A packet as ffmpeg writes them: length taken from the file properties, one
// payload with an 8-byte replicated data (media object size, time), filled
// to `packetSize` with payload bytes.
inline Bytes singlePayloadPacket(std::uint32_t packetSize, std::uint8_t streamNumber, std::uint32_t objectSize) {
    Bytes packet = {0x82, 0x00, 0x00, 0x00, 0x5D};
    putLE(packet, 0, 6);  // send time, duration
    packet.push_back(static_cast<std::uint8_t>(0x80 | streamNumber));
    packet.push_back(1);      // media object number
    putLE(packet, 0, 4);      // offset into media object
    packet.push_back(8);      // replicated data length
    putLE(packet, objectSize, 4);
    putLE(packet, 3100, 4);   // presentation time
    packet.resize(packetSize, 0x11);
    return packet;
}

// A file with a video stream 1, an audio stream 2 and `packets` behind them.
inline Bytes simpleFile(std::uint32_t packetSize, const std::vector<Bytes>& packets) {
    Bytes file = headerObject({fileProperties(packetSize), streamProperties(ASF_Video_Media, 1),
                               streamProperties(ASF_Audio_Media, 2)});
    append(file, dataObject(packets));
    return file;
}

// Offset of the first data packet in a file made by simpleFile.
inline std::int64_t firstPacketOffset(const Bytes& file, std::size_t packetBytes) {
    return static_cast<std::int64_t>(file.size() - packetBytes);
}

// A scratch file removed with the fixture.
class TempFile {
public:
    explicit TempFile(const Bytes& bytes) {
        static int counter = 0;
        path = (std::filesystem::temp_directory_path() /
                ("cut2edl-asf-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".dvr-ms"))
                   .string();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() { std::filesystem::remove(path); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string path;
};

inline Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string testData(const std::string& name) { return std::string(CUT2EDL_TEST_DATA) + "/" + name; }

// Records the position of every packet walked and can stop the walk.
class RecordingDemuxer : public DemuxerASF {
public:
    using DemuxerASF::DemuxerASF;

    std::vector<std::int64_t> packets;
    std::size_t stopAfter = std::numeric_limits<std::size_t>::max();

protected:
    bool packetWalked() override {
        packets.push_back(currentPacketPosition());
        return packets.size() < stopAfter;
    }
};

// Owner for demuxers made by hand: a file no demuxer is built for.
class AsfDemuxerTest : public ::testing::Test {
protected:
    TempFile ownerFile{Bytes{'n', 'o', 'n', 'e'}};
    MediaFile owner{ownerFile.path};
};

inline std::vector<std::int64_t> packetsFrom(std::int64_t first, std::int64_t size, std::int64_t count) {
    std::vector<std::int64_t> positions;
    for (std::int64_t i = 0; i < count; ++i) positions.push_back(first + i * size);
    return positions;
}

}  // namespace cut2edl::asftest
