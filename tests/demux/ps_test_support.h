#pragma once

// Helpers for the demuxer tests: scratch files, hand-built program streams and
// a tracker that records what the streaming parser feeds it.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "demux/DemuxerPS.h"
#include "demux/MediaFile.h"
#include "demux/PTSTracker.h"

namespace cut2edl::test {

using Bytes = std::vector<std::uint8_t>;

inline std::string dataFile(const std::string& name) { return std::string(CUT2EDL_TEST_DATA) + "/" + name; }

inline Bytes readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A directory of its own for each test, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("cut2edl-demux-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~ScratchDir() { std::filesystem::remove_all(dir); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string write(const std::string& name, const Bytes& bytes) const {
        const auto file = (dir / name).string();
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    // `head`, then zeros (a sparse hole) up to `tailOffset`, then `tail`.
    std::string writeSparse(const std::string& name, const Bytes& head, std::int64_t tailOffset,
                            const Bytes& tail) const {
        const auto file = write(name, head);
        std::filesystem::resize_file(file, static_cast<std::uintmax_t>(tailOffset));
        std::ofstream out(file, std::ios::binary | std::ios::app);
        out.write(reinterpret_cast<const char*>(tail.data()), static_cast<std::streamsize>(tail.size()));
        return file;
    }
    std::filesystem::path path(const std::string& name) const { return dir / name; }

private:
    std::filesystem::path dir;
};

// Builds program streams byte by byte. Payloads are 0xAA so that they hold no
// start code of their own.
class StreamBuilder {
public:
    StreamBuilder& bytes(const Bytes& more) {
        data.insert(data.end(), more.begin(), more.end());
        return *this;
    }
    StreamBuilder& fill(std::size_t count, std::uint8_t value = 0xAA) {
        data.insert(data.end(), count, value);
        return *this;
    }
    // Fills up to `offset` with a padding packet (or plain filler when too close).
    StreamBuilder& padTo(std::size_t offset) {
        if (offset >= data.size() + 6) {
            const std::size_t length = offset - data.size() - 6;
            bytes({0, 0, 1, 0xBE, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
        }
        return fill(offset - data.size(), 0xFF);
    }
    StreamBuilder& packHeader() { return bytes({0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1, 1, 0x89, 0xC3, 0xF8}); }
    StreamBuilder& mpeg1PackHeader() { return bytes({0, 0, 1, 0xBA, 0x21, 0, 1, 0, 1, 0x80, 0x1B, 0x91}); }
    StreamBuilder& sequenceHeader(int width, int height, int rateCode) {
        return bytes({0, 0, 1, 0xB3, static_cast<std::uint8_t>(width >> 4),
                      static_cast<std::uint8_t>(((width & 0xF) << 4) | (height >> 8)),
                      static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(0x20 | rateCode), 0xFF, 0xFF,
                      0xE0, 0x18});
    }
    StreamBuilder& groupHeader() { return bytes({0, 0, 1, 0xB8, 0, 8, 0, 0x40}); }
    // MPEG-2 PES packet; `packetLength` overrides the PES_packet_length field.
    StreamBuilder& pes(std::uint8_t id, std::optional<std::int64_t> pts, std::size_t payload,
                       std::optional<int> packetLength = std::nullopt) {
        const std::size_t headerData = pts ? 5 : 0;
        const int length = packetLength.value_or(static_cast<int>(3 + headerData + payload));
        bytes({0, 0, 1, id, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length), 0x80,
               static_cast<std::uint8_t>(pts ? 0x80 : 0), static_cast<std::uint8_t>(headerData)});
        if (pts) bytes(timeStamp(0x2, *pts));
        return fill(payload);
    }
    // MPEG-1 packet: stuffing, optional STD buffer bytes, then PTS, PTS and DTS, or neither.
    StreamBuilder& mpeg1Pes(std::uint8_t id, std::size_t stuffing, bool stdBuffer, std::optional<std::int64_t> pts,
                            bool withDts, std::size_t payload) {
        Bytes header(stuffing, 0xFF);
        if (stdBuffer) header.insert(header.end(), {0x60, 0x2E});
        if (!pts) {
            header.push_back(0x0F);
        } else {
            const auto ptsField = timeStamp(withDts ? 0x3 : 0x2, *pts);
            header.insert(header.end(), ptsField.begin(), ptsField.end());
            if (withDts) {
                const auto dts = timeStamp(0x1, *pts - 3600);
                header.insert(header.end(), dts.begin(), dts.end());
            }
        }
        const std::size_t length = header.size() + payload;
        bytes({0, 0, 1, id, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
        bytes(header);
        return fill(payload);
    }
    static Bytes timeStamp(std::uint8_t prefix, std::int64_t value) {
        return {static_cast<std::uint8_t>((prefix << 4) | ((value >> 29) & 0x0E) | 1),
                static_cast<std::uint8_t>(value >> 22), static_cast<std::uint8_t>(((value >> 14) & 0xFE) | 1),
                static_cast<std::uint8_t>(value >> 7), static_cast<std::uint8_t>(((value << 1) & 0xFE) | 1)};
    }
    std::size_t size() const { return data.size(); }
    const Bytes& build() const { return data; }

private:
    Bytes data;
};

// Records every time stamp the parser reports, then maps it as usual.
class RecordingTracker : public PTSTracker {
public:
    struct Call {
        std::int64_t position;
        std::int64_t pts;
        bool isVideo;
        bool operator==(const Call&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Call& call) {
            return out << (call.isVideo ? "video " : "audio ") << call.pts << " at " << call.position;
        }
    };
    using PTSTracker::PTSTracker;

    bool normalizePts(std::int64_t position, std::int64_t& pts, bool isVideo) override {
        calls.push_back({position, pts, isVideo});
        if (onCall) onCall(calls.back());
        return PTSTracker::normalizePts(position, pts, isVideo);
    }
    std::vector<Call> videoCalls() const {
        std::vector<Call> video;
        for (const auto& call : calls) {
            if (call.isVideo) video.push_back(call);
        }
        return video;
    }

    std::vector<Call> calls;
    std::function<void(const Call&)> onCall;
};

// A program-stream demuxer whose tracker records.
class RecordingDemuxer : public DemuxerPS {
public:
    RecordingDemuxer(MediaFile* owner, const std::string& path)
        : DemuxerPS(owner, path),
          recorder(std::make_shared<RecordingTracker>(ptsTracker->segmentList().front().base)) {
        ptsTracker = recorder;
    }
    std::shared_ptr<RecordingTracker> recorder;
};

// A MediaFile that owns nothing, to receive the results of demuxers built by hand.
class ScratchOwner {
public:
    explicit ScratchOwner(const ScratchDir& dir) : media(dir.write("owner.bin", {})) {}
    MediaFile* get() { return &media; }

private:
    MediaFile media;
};

}  // namespace cut2edl::test
