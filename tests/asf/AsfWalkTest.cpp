#include <gtest/gtest.h>

#include "asf/AsfTestSupport.h"

namespace cut2edl {
namespace {

using namespace asftest;

constexpr std::uint32_t packetSize = 200;

struct Payload {
    std::uint8_t streamNumber;
    std::uint32_t objectSize;
    std::uint16_t length;  // as written in the payload length field
    std::uint16_t bytes;   // payload bytes actually present
};

// A packet with its own 16-bit length and several payloads with 16-bit
// lengths; what the payloads leave of `length` is padding.
Bytes multiPayloadPacket(std::uint16_t length, const std::vector<Payload>& payloads) {
    constexpr std::size_t packetHeader = 15;
    constexpr std::size_t payloadHeader = 17;
    std::size_t padding = length - packetHeader;
    for (const Payload& payload : payloads) padding -= payloadHeader + payload.bytes;
    Bytes packet = {0x82, 0x00, 0x00, 0x49, 0x5D};
    putLE(packet, length, 2);
    packet.push_back(static_cast<std::uint8_t>(padding));
    putLE(packet, 0, 6);
    packet.push_back(static_cast<std::uint8_t>(0x80 | payloads.size()));
    for (const Payload& payload : payloads) {
        packet.push_back(payload.streamNumber);
        packet.push_back(7);
        putLE(packet, 0, 4);
        packet.push_back(8);
        putLE(packet, payload.objectSize, 4);
        putLE(packet, 0, 4);
        putLE(packet, payload.length, 2);
        packet.insert(packet.end(), payload.bytes, 0x22);
    }
    packet.resize(length, 0x00);
    return packet;
}

class AsfWalkTest : public AsfDemuxerTest {
protected:
    // Walks `file` and returns the packet offsets, relative to the first one.
    std::vector<std::int64_t> walk(const Bytes& file, std::size_t packetBytes) {
        scratch = std::make_unique<TempFile>(file);
        demuxer = std::make_unique<RecordingDemuxer>(&owner, scratch->path);
        demuxer->start();
        std::vector<std::int64_t> relative;
        for (std::int64_t position : demuxer->packets) relative.push_back(position - firstPacketOffset(file, packetBytes));
        return relative;
    }

    std::vector<std::int64_t> walk(const std::vector<Bytes>& packets) {
        std::size_t bytes = 0;
        for (const Bytes& packet : packets) bytes += packet.size();
        return walk(simpleFile(packetSize, packets), bytes);
    }

    std::unique_ptr<TempFile> scratch;
    std::unique_ptr<RecordingDemuxer> demuxer;
};

Bytes videoPacket() { return singlePayloadPacket(packetSize, 1, 5000); }

TEST_F(AsfWalkTest, UndeclaredStreamEndsOnlyItsPacket) {
    // Stream 5 is past the table, stream 0 a gap inside it.
    const auto walked = walk({videoPacket(), singlePayloadPacket(packetSize, 5, 100), videoPacket(),
                              singlePayloadPacket(packetSize, 0, 100), videoPacket()});
    EXPECT_EQ(walked, packetsFrom(0, packetSize, 5));
    EXPECT_EQ(demuxer->streams().size(), 3u);
}

TEST_F(AsfWalkTest, PacketNotBeginningWith0x82EndsTheWalk) {
    for (std::uint8_t first : {0x80, 0x00}) {
        Bytes bad = videoPacket();
        bad[0] = first;
        EXPECT_EQ(walk({videoPacket(), bad, videoPacket()}), packetsFrom(0, packetSize, 1));
        EXPECT_FALSE(demuxer->hasMoreData());
    }
}

TEST_F(AsfWalkTest, PacketLengthFromFilePropertiesIsRequired) {
    const std::vector<Bytes> packets = {videoPacket(), videoPacket()};
    Bytes file = headerObject({streamProperties(ASF_Video_Media, 1)});
    append(file, dataObject(packets));
    EXPECT_TRUE(walk(file, 2 * packetSize).empty());
    // A packet that carries its own length needs none.
    const std::vector<Bytes> sized = {multiPayloadPacket(120, {{1, 10, 50, 50}}),
                                      multiPayloadPacket(120, {{1, 10, 50, 50}})};
    file = headerObject({streamProperties(ASF_Video_Media, 1)});
    append(file, dataObject(sized));
    EXPECT_EQ(walk(file, 240), packetsFrom(0, 120, 2));
}

TEST_F(AsfWalkTest, MultiplePayloadsAndPaddingAreWalkedExactly) {
    // 150 = 15 header bytes + 2 * 17 payload header bytes + 50 + 41 + 10 padding.
    const Bytes packet = multiPayloadPacket(150, {{2, 91, 50, 50}, {2, 91, 41, 41}});
    const Bytes objectBegun = multiPayloadPacket(150, {{2, 200, 50, 50}, {1, 9, 41, 41}});
    Bytes file = headerObject({fileProperties(packetSize), streamProperties(ASF_Video_Media, 1),
                               streamProperties(ASF_Audio_Media, 2)});
    append(file, dataObject({packet, objectBegun}));
    EXPECT_EQ(walk(file, 300), packetsFrom(0, 150, 2));
    // The first object came whole in two payloads; the second is 150 short.
    const AsfStreamState& audio = demuxer->streams()[2];
    EXPECT_EQ(audio.objectSize, 200);
    EXPECT_EQ(audio.bytesOutstanding, 150);
}

TEST_F(AsfWalkTest, PayloadLongerThanItsPacketEndsThatPacket) {
    const Bytes overlong = multiPayloadPacket(150, {{1, 9, 5000, 20}});
    const Bytes good = multiPayloadPacket(150, {{1, 9, 100, 100}});
    Bytes file = headerObject({fileProperties(packetSize), streamProperties(ASF_Video_Media, 1)});
    append(file, dataObject({good, overlong, good}));
    EXPECT_EQ(walk(file, 450), packetsFrom(0, 150, 3));
}

TEST_F(AsfWalkTest, MediaObjectSizeOfAllOnesIsAnObjectNotNone) {
    walk({singlePayloadPacket(packetSize, 2, 0xFFFFFFFF)});
    const AsfStreamState& audio = demuxer->streams()[2];
    EXPECT_EQ(audio.objectSize, 0xFFFFFFFFll);
    EXPECT_EQ(audio.bytesOutstanding, 0xFFFFFFFFll - (packetSize - 26));
}

TEST_F(AsfWalkTest, TruncatedPacketEndsTheWalk) {
    Bytes file = simpleFile(packetSize, {videoPacket(), videoPacket()});
    file.resize(file.size() - 1);
    EXPECT_EQ(walk(file, 2 * packetSize - 1), packetsFrom(0, packetSize, 1));
}

// Header objects whose size cannot be true end the header walk before the
// File Properties Object behind them.
TEST_F(AsfWalkTest, ImpossibleObjectSizesEndTheHeaderWalk) {
    for (std::uint64_t size : {0ull, 23ull, 1ull << 63, ~0ull, 100000ull}) {
        Bytes file = headerObject({objectWithSize(2, size, Bytes(40, 0)), fileProperties(packetSize),
                                   streamProperties(ASF_Video_Media, 1)});
        append(file, dataObject({videoPacket()}));
        EXPECT_TRUE(walk(file, packetSize).empty()) << size;
        EXPECT_FALSE(demuxer->fileProperties()) << size;
    }
}

TEST_F(AsfWalkTest, ObjectSmallerThanItsParsedFieldsEndsTheHeaderWalk) {
    Bytes shrunk = fileProperties(packetSize);
    shrunk[16] = 60;  // the parser reads 80 bytes behind the 24-byte header
    Bytes file = headerObject({shrunk, streamProperties(ASF_Video_Media, 1)});
    append(file, dataObject({videoPacket()}));
    EXPECT_TRUE(walk(file, packetSize).empty());
    EXPECT_TRUE(demuxer->streams().empty());
}

Bytes extendedStreamProperties(std::uint32_t infoLength, const Bytes& info, const Bytes& embedded) {
    Bytes body;
    putLE(body, 0, 8);                           // start time
    putLE(body, 0, 8);                           // end time
    for (int i = 0; i < 8; ++i) putLE(body, 0, 4);  // bitrates, buffers, maximum object size, flags
    putLE(body, 3, 2);                           // stream number
    putLE(body, 0, 2);                           // language id index
    putLE(body, 400000, 8);                      // average time per frame
    putLE(body, 1, 2);                           // stream name count
    putLE(body, 1, 2);                           // payload extension system count
    putLE(body, 0, 2);
    putLE(body, 4, 2);
    append(body, {'v', 0, 'd', 0});
    append(body, guidOf(12));
    putLE(body, 0xFFFF, 2);
    putLE(body, infoLength, 4);
    append(body, info);
    append(body, embedded);
    return object(ASF_Extended_Stream_Properties_Object, body);
}

Bytes headerExtension(const Bytes& children) {
    Bytes body = guidOf(4);
    putLE(body, 6, 2);
    putLE(body, children.size(), 4);
    append(body, children);
    return object(ASF_Header_Extension_Object, body);
}

TEST_F(AsfWalkTest, EmbeddedStreamPropertiesAreWalked) {
    const Bytes embedded = streamProperties(ASF_Video_Media, 3);
    Bytes file = headerObject({fileProperties(packetSize),
                               headerExtension(extendedStreamProperties(4, {1, 2, 3, 4}, embedded))});
    append(file, dataObject({singlePayloadPacket(packetSize, 3, 10)}));
    EXPECT_EQ(walk(file, packetSize), packetsFrom(0, packetSize, 1));
    ASSERT_EQ(demuxer->streams().size(), 4u);
    EXPECT_TRUE(demuxer->streams()[3].video);
}

TEST_F(AsfWalkTest, InfoLengthBeyondTheObjectEndsTheHeaderWalk) {
    const Bytes embedded = streamProperties(ASF_Video_Media, 3);
    Bytes file = headerObject({fileProperties(packetSize),
                               headerExtension(extendedStreamProperties(0xFFFFFFF0, {1, 2, 3, 4}, embedded))});
    append(file, dataObject({singlePayloadPacket(packetSize, 3, 10)}));
    EXPECT_TRUE(walk(file, packetSize).empty());
    EXPECT_TRUE(demuxer->streams().empty());
}

Bytes utf16(const std::string& text) {
    Bytes bytes;
    for (char c : text) append(bytes, {static_cast<std::uint8_t>(c), 0});
    return bytes;
}

// Each descriptive object is read field by field; one that consumed a byte
// too many would run past its end and cut off the streams behind it.
TEST_F(AsfWalkTest, DescriptiveObjectsAreConsumedExactly) {
    Bytes content;
    for (std::uint16_t length : {4, 3, 0, 2, 0}) putLE(content, length, 2);
    append(content, utf16("ab"));
    append(content, {'x', 0});  // 3 bytes announced: one code unit read
    append(content, {'y', 0, 'z'});
    Bytes extended;
    putLE(extended, 2, 2);
    putLE(extended, 2, 2);
    append(extended, utf16("A"));
    putLE(extended, 6, 2);  // value type 6 reads no value
    putLE(extended, 4, 2);
    putLE(extended, 2, 2);
    append(extended, utf16("B"));
    putLE(extended, 4, 2);
    putLE(extended, 8, 2);
    putLE(extended, 42, 8);
    Bytes bitrates;
    putLE(bitrates, 2, 2);
    for (std::uint16_t stream : {1, 2}) {
        putLE(bitrates, stream, 2);
        putLE(bitrates, 128000, 4);
    }
    const Bytes binaryAudio = {0x9D, 0x8C, 0x17, 0x31, 0xE1, 0x03, 0x28, 0x45, 0, 0};
    const Bytes binaryOther = {0x9E, 0x8C, 0x17, 0x31, 0xE1, 0x03, 0x28, 0x45};
    Bytes file = headerObject({object(ASF_Content_Description_Object, content),
                               object(ASF_Extended_Content_Description_Object, extended),
                               object(ASF_Stream_Bitrate_Properties_Object, bitrates), fileProperties(packetSize),
                               streamProperties(ASF_Binary_Media, 1, binaryAudio),
                               streamProperties(ASF_Binary_Media, 2, binaryOther)});
    append(file, dataObject({singlePayloadPacket(packetSize, 1, 10)}));
    EXPECT_EQ(walk(file, packetSize), packetsFrom(0, packetSize, 1));
    ASSERT_EQ(demuxer->streams().size(), 3u);
    EXPECT_TRUE(demuxer->streams()[1].audio);
    EXPECT_TRUE(demuxer->streams()[2].declared);
    EXPECT_FALSE(demuxer->streams()[2].audio);
}

}  // namespace
}  // namespace cut2edl
