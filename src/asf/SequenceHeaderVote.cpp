#include "asf/SequenceHeaderVote.h"

#include <algorithm>
#include <array>
#include <vector>

#include "mpeg/frame_rate.h"

namespace cut2edl {

namespace {

template <typename Key>
Key mostVoted(const std::map<Key, int>& votes, Key none) {
    // The map is ordered by key, and only a strictly larger count displaces
    // the leader: among equal counts the smallest key wins.
    Key leader = none;
    int leaderVotes = 0;
    for (const auto& [key, count] : votes) {
        if (count > leaderVotes) {
            leader = key;
            leaderVotes = count;
        }
    }
    return leader;
}

// Finds start codes with the byte rule of the original scan: a failing byte
// is not looked at again, so 00 00 01 00 00 01 B3 holds no start code.
class StartCodeScanner {
public:
    bool feed(std::uint8_t byte) {
        switch (state) {
            case State::Idle: state = byte == 0x00 ? State::OneZero : State::Idle; break;
            case State::OneZero: state = byte == 0x00 ? State::Zeros : State::Idle; break;
            case State::Zeros:
                if (byte != 0x00) state = byte == 0x01 ? State::Prefix : State::Idle;
                break;
            case State::Prefix:
                state = State::Idle;
                return byte == 0xB3;
        }
        return false;
    }

private:
    enum class State { Idle, OneZero, Zeros, Prefix };
    State state = State::Idle;
};

constexpr std::size_t headerBytes = 4;
constexpr std::size_t chunkSize = 64 * 1024;

}  // namespace

void SequenceHeaderVote::add(const std::uint8_t* header) {
    const std::uint32_t bits = std::uint32_t{header[0]} << 24 | std::uint32_t{header[1]} << 16 |
                               std::uint32_t{header[2]} << 8 | header[3];
    ++widthVotes[static_cast<std::int32_t>(bits >> 20)];
    ++heightVotes[static_cast<std::int32_t>((bits >> 8) & 0xFFF)];
    const double rate = exact_frame_rate_of_code(header[3] & 0x0F);
    if (rate > 0) ++rateVotes[rate];
}

VideoFormat SequenceHeaderVote::result() const {
    return {mostVoted(rateVotes, -1.0), mostVoted(widthVotes, 0), mostVoted(heightVotes, 0)};
}

VideoFormat voteSequenceHeaders(std::istream& in) {
    const auto remembered = in.tellg();
    SequenceHeaderVote vote;
    StartCodeScanner scanner;
    std::vector<std::uint8_t> chunk(chunkSize);
    std::array<std::uint8_t, headerBytes> header{};
    std::size_t headerFill = headerBytes;  // == headerBytes: not inside a header
    std::size_t headersFound = 0;
    std::uint64_t scanned = 0;
    while (headersFound < sequenceHeadersVoted && scanned < sequenceHeaderScanLimit) {
        const auto wanted = std::min<std::uint64_t>(chunk.size(), sequenceHeaderScanLimit - scanned);
        in.read(reinterpret_cast<char*>(chunk.data()), static_cast<std::streamsize>(wanted));
        const auto got = static_cast<std::size_t>(in.gcount());
        scanned += got;
        for (std::size_t i = 0; i < got && headersFound < sequenceHeadersVoted; ++i) {
            if (headerFill < headerBytes) {
                header[headerFill++] = chunk[i];
                if (headerFill == headerBytes) {
                    vote.add(header.data());
                    ++headersFound;
                }
            } else if (scanner.feed(chunk[i])) {
                headerFill = 0;
            }
        }
        if (got < wanted) break;
    }
    in.clear();
    in.seekg(remembered);
    return vote.result();
}

}  // namespace cut2edl
