#include "asf/SequenceHeaderVote.h"

#include <array>

#include "demux/BlockReader.h"
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

constexpr std::size_t headerBytes = 4;
constexpr int sequenceHeaderId = 0xB3;

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
    BlockReader reader(in, sequenceHeaderScanLimit);
    SequenceHeaderVote vote;
    std::array<std::uint8_t, headerBytes> header{};
    for (std::size_t found = 0; found < sequenceHeadersVoted;) {
        // Behind a slice's code byte no prefix can begin, so passing over the
        // slices leaves every code that the rule below may apply to.
        const int id = reader.nextStartCode(slice_start_codes);
        if (id < 0) break;
        if (id != sequenceHeaderId) {
            // The byte behind a prefix is never the first zero of the next
            // one here, so 00 00 01 00 00 01 B3 holds no sequence header.
            if (id == 0) reader.next();
            continue;
        }
        // A header cut off by the end of the data or of the window is no vote.
        if (reader.read(header.data(), header.size()) < header.size()) break;
        vote.add(header.data());
        ++found;
    }
    in.clear();
    in.seekg(remembered);
    return vote.result();
}

}  // namespace cut2edl
