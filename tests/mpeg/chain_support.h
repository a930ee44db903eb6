#pragma once

// What the header tests share: building a chain from bytes with the notices
// collected, and reading back its rendered lines and header kinds.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mpeg/mpeg_header.h"

namespace cut2edl {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

struct Chain {
    std::shared_ptr<MPEG_Header> first;
    std::vector<std::string> notices;
    int position = 1;  // the transport-stream demuxer's counter starts at 1
};

inline Chain build(const Bytes& bytes) {
    Chain chain;
    chain.first = create_mpeg_header(bytes.data(), static_cast<int>(bytes.size()), &chain.position,
                                     [&chain](std::string_view text) { chain.notices.emplace_back(text); });
    return chain;
}

// The lines of a header (and the chain behind it) or of any part with a dump.
template <typename Part>
Lines lines_of(const Part& part) {
    Lines lines;
    part.dump([&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

inline Lines lines_of(const Chain& chain) { return lines_of(*chain.first); }

inline std::vector<std::uint8_t> kinds_of(const Chain& chain) {
    std::vector<std::uint8_t> kinds;
    for (const MPEG_Header* header = chain.first.get(); header; header = header->next.get()) {
        kinds.push_back(header->kind());
    }
    return kinds;
}

// The bytes that a string of hex digits spells, as broadcast sections are quoted.
inline Bytes from_hex(std::string_view hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

inline Bytes operator+(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

}  // namespace cut2edl
