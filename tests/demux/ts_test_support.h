#pragma once

// Builds transport streams packet by packet for the transport-stream tests.
#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <vector>

#include "demux/DemuxerTS.h"
#include "ps_test_support.h"
#include "ts/crc32_mpeg2.h"

namespace cut2edl::test {

struct StreamEntry {
    std::uint8_t type;
    int pid;
    Bytes descriptors = {};
};

inline Bytes operator+(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

inline void putBytes(Bytes& to, std::initializer_list<int> values) {
    for (const int value : values) to.push_back(static_cast<std::uint8_t>(value));
}

// The section with its last four bytes made its CRC_32 again.
inline Bytes withCrc(Bytes section) {
    const std::size_t body = section.size() - 4;
    const std::uint32_t crc = crc32_mpeg2(section.data(), body);
    for (std::size_t i = 0; i < 4; ++i) section[body + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    return section;
}

// A section with its length and its CRC_32 filled in.
inline Bytes longSection(int tableId, int extension, const Bytes& body) {
    const int sectionLength = 5 + static_cast<int>(body.size()) + 4;
    Bytes section;
    putBytes(section, {tableId, 0xB0 | (sectionLength >> 8), sectionLength & 0xFF, extension >> 8, extension & 0xFF,
                       0xC1, 0x00, 0x00});
    section.insert(section.end(), body.begin(), body.end());
    section.resize(section.size() + 4);
    return withCrc(section);
}

inline Bytes patSection(int transportStreamId, const std::vector<std::pair<int, int>>& programs) {
    Bytes body;
    for (const auto& [number, pmtPid] : programs) putBytes(body, {number >> 8, number & 0xFF, 0xE0 | (pmtPid >> 8), pmtPid & 0xFF});
    return longSection(0x00, transportStreamId, body);
}

inline Bytes pmtSection(int programNumber, int pcrPid, const std::vector<StreamEntry>& streams) {
    Bytes body;
    putBytes(body, {0xE0 | (pcrPid >> 8), pcrPid & 0xFF, 0xF0, 0x00});
    for (const auto& stream : streams) {
        const int length = static_cast<int>(stream.descriptors.size());
        putBytes(body, {stream.type, 0xE0 | (stream.pid >> 8), stream.pid & 0xFF, 0xF0 | (length >> 8), length & 0xFF});
        body.insert(body.end(), stream.descriptors.begin(), stream.descriptors.end());
    }
    return longSection(0x02, programNumber, body);
}

// A video PES packet (PES_packet_length 0) whose payload is `elementary`.
inline Bytes videoPes(std::optional<std::int64_t> pts, const Bytes& elementary) {
    Bytes pes = StreamBuilder().pes(0xE0, pts, 0, 0).build();
    pes.insert(pes.end(), elementary.begin(), elementary.end());
    return pes;
}

inline Bytes sequenceHeader(int width, int height, int rateCode) {
    return StreamBuilder().sequenceHeader(width, height, rateCode).build();
}

class TsBuilder {
public:
    static constexpr int packetSize = 188;

    // One packet of `pid` with `payload` (at most 184 bytes) behind an
    // adaptation field that fills the rest, or, for PSI, with 0xFF behind it.
    TsBuilder& packet(int pid, bool unitStart, const Bytes& payload, bool stuffPayload = false) {
        const int room = packetSize - 4;
        const int size = std::min(static_cast<int>(payload.size()), room);
        const bool adaptation = !stuffPayload && size < room;
        putBytes(data, {0x47, (unitStart ? 0x40 : 0) | (pid >> 8), pid & 0xFF, (adaptation ? 0x30 : 0x10) | (counter++ & 0x0F)});
        if (adaptation) {
            const int length = room - size - 1;
            data.push_back(static_cast<std::uint8_t>(length));
            if (length > 0) {
                data.push_back(0x00);
                data.insert(data.end(), static_cast<std::size_t>(length - 1), 0xFF);
            }
        }
        data.insert(data.end(), payload.begin(), payload.begin() + size);
        if (stuffPayload) data.insert(data.end(), static_cast<std::size_t>(room - size), 0xFF);
        return *this;
    }

    // A section behind a pointer_field of 0, over as many packets as it takes.
    TsBuilder& section(int pid, const Bytes& table) {
        Bytes payload{0x00};
        payload.insert(payload.end(), table.begin(), table.end());
        return split(pid, payload, true);
    }

    TsBuilder& pes(int pid, const Bytes& pes) { return split(pid, pes, false); }

    TsBuilder& nullPackets(int count) {
        for (int i = 0; i < count; ++i) packet(0x1FFF, false, Bytes(184, 0xFF));
        return *this;
    }

    TsBuilder& raw(const Bytes& bytes) {
        std::copy(bytes.begin(), bytes.end(), std::back_inserter(data));
        return *this;
    }

    std::size_t size() const { return data.size(); }
    const Bytes& build() const { return data; }

private:
    TsBuilder& split(int pid, const Bytes& payload, bool psi) {
        for (std::size_t offset = 0; offset < payload.size() || offset == 0; offset += 184) {
            const auto end = payload.begin() + static_cast<std::ptrdiff_t>(std::min(offset + 184, payload.size()));
            packet(pid, offset == 0, Bytes(payload.begin() + static_cast<std::ptrdiff_t>(offset), end), psi);
        }
        return *this;
    }

    Bytes data;
    int counter = 0;
};

// A recording from tests/data as its packets, for the tests that rewrite
// its tables as broadcasters send them.
class PacketEditor {
public:
    using Packet = std::array<std::uint8_t, 188>;

    explicit PacketEditor(const std::string& dataName) {
        const Bytes bytes = readAll(dataFile(dataName));
        for (std::size_t at = 0; at + 188 <= bytes.size(); at += 188) {
            Packet packet;
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), 188, packet.begin());
            packets.push_back(packet);
        }
    }

    static int pidOf(const Packet& packet) { return (packet[1] & 0x1F) << 8 | packet[2]; }

    // The packets of `pid` that start a section, in order.
    std::vector<std::size_t> sectionStarts(int pid) const {
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < packets.size(); ++i) {
            if (pidOf(packets[i]) == pid && (packets[i][1] & 0x40) != 0) starts.push_back(i);
        }
        return starts;
    }

    // The section behind a pointer_field of 0 in a packet without adaptation field.
    Bytes section(std::size_t index) const {
        const Packet& packet = packets.at(index);
        const int length = ((packet[6] & 0x0F) << 8 | packet[7]) + 3;
        return Bytes(packet.begin() + 5, packet.begin() + 5 + length);
    }

    // Makes the packet's payload `sections` behind a pointer_field of 0, then stuffing.
    void setSections(std::size_t index, const std::vector<Bytes>& sections) {
        Packet& packet = packets.at(index);
        packet[1] |= 0x40;
        packet[3] = static_cast<std::uint8_t>(0x10 | (packet[3] & 0x0F));
        std::fill(packet.begin() + 4, packet.end(), 0xFF);
        packet[4] = 0x00;
        auto at = packet.begin() + 5;
        for (const Bytes& section : sections) at = std::copy(section.begin(), section.end(), at);
    }

    // Puts a section that takes several packets in place of packet `index`.
    void spread(std::size_t index, const Bytes& section) {
        const int pid = pidOf(packets.at(index));
        TsBuilder built;
        built.section(pid, section);
        std::vector<Packet> spread(built.size() / 188);
        for (std::size_t i = 0; i < spread.size(); ++i) {
            std::copy_n(built.build().begin() + static_cast<std::ptrdiff_t>(i * 188), 188, spread[i].begin());
        }
        packets.erase(packets.begin() + static_cast<std::ptrdiff_t>(index));
        packets.insert(packets.begin() + static_cast<std::ptrdiff_t>(index), spread.begin(), spread.end());
    }

    // Numbers the continuity_counter of the PID's packets 0, 1, 2, ... in order.
    void numberCounters(int pid) {
        int counter = 0;
        for (Packet& packet : packets) {
            if (pidOf(packet) == pid) packet[3] = static_cast<std::uint8_t>((packet[3] & 0xF0) | (counter++ & 0x0F));
        }
    }

    Bytes build() const {
        Bytes bytes;
        for (const Packet& packet : packets) bytes.insert(bytes.end(), packet.begin(), packet.end());
        return bytes;
    }

    std::vector<Packet> packets;
};

// A probe of a stream, with what it reported.
struct Probed {
    ScratchDir dir;
    std::vector<std::string> report;
    std::unique_ptr<MediaFile> media;
    const DemuxerTS& demuxer() const { return dynamic_cast<const DemuxerTS&>(*media->demuxer); }
    const std::vector<ProgramInfo>& programs() const { return demuxer().programList(); }
    bool reported(const std::string& line) const { return std::find(report.begin(), report.end(), line) != report.end(); }
};

inline std::unique_ptr<Probed> probe(const Bytes& stream) {
    auto probed = std::make_unique<Probed>();
    const ProbeReport report([&lines = probed->report](std::string_view line) { lines.emplace_back(line); });
    probed->media = std::make_unique<MediaFile>(probed->dir.write("probe.ts", stream), report);
    return probed;
}

inline std::unique_ptr<Probed> probe(const TsBuilder& stream) { return probe(stream.build()); }

}  // namespace cut2edl::test
