#pragma once

// Builds transport streams packet by packet for the transport-stream tests.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <vector>

#include "ps_test_support.h"

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

// A section with its length filled in and a CRC of four bytes that nothing checks.
inline Bytes longSection(int tableId, int extension, const Bytes& body) {
    const int sectionLength = 5 + static_cast<int>(body.size()) + 4;
    Bytes section;
    putBytes(section, {tableId, 0xB0 | (sectionLength >> 8), sectionLength & 0xFF, extension >> 8, extension & 0xFF,
                       0xC1, 0x00, 0x00});
    section.insert(section.end(), body.begin(), body.end());
    putBytes(section, {0x12, 0x34, 0x56, 0x78});
    return section;
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

}  // namespace cut2edl::test
