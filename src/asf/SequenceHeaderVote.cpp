#include "asf/SequenceHeaderVote.h"

#include "demux/BlockReader.h"
#include "demux/read_sequence_header.h"
#include "mpeg/value_text.h"

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

constexpr int sequenceHeaderId = 0xB3;
constexpr std::size_t startCodeLength = 4;
// The fields up to the frame rate code, which a vote needs.
constexpr std::int64_t votedFields = 4;

void reportVote(const ProbeReport& report, std::size_t number, std::int64_t offset, const mpeg_sequence_header& header) {
    const FrameRateExtension scaling = header.frame_rate_extension();
    report.print("Sequence header %zu at offset %lld: %d x %d, frame_rate_code %d (%s), scaled x %u / %u", number,
                 static_cast<long long>(offset), header.horizontal_size_value.value, header.vertical_size_value.value,
                 header.frame_rate_code.value, frame_rate_text(header.frame_rate_code.value).c_str(), scaling.n + 1,
                 scaling.d + 1);
}

}  // namespace

void SequenceHeaderVote::add(const mpeg_sequence_header& header) {
    ++widthVotes[header.horizontal_size_value.value];
    ++heightVotes[header.vertical_size_value.value];
    const double rate = header.exact_frame_rate();
    if (rate > 0) ++rateVotes[rate];
}

VideoFormat SequenceHeaderVote::result() const {
    return {mostVoted(rateVotes, -1.0), mostVoted(widthVotes, 0), mostVoted(heightVotes, 0)};
}

VideoFormat voteSequenceHeaders(std::istream& in, const ProbeReport& report) {
    const auto remembered = in.tellg();
    BlockReader reader(in, sequenceHeaderScanLimit);
    SequenceHeaderVote vote;
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
        const std::int64_t afterCode = reader.position();
        const auto header = read_sequence_header(reader);
        // A header cut off by the end of the data or of the window is no vote.
        if (header->frame_rate_code.span == 0) break;
        vote.add(*header);
        reportVote(report, ++found, afterCode - static_cast<std::int64_t>(startCodeLength), *header);
        reader.seek(afterCode + votedFields);
    }
    in.clear();
    in.seekg(remembered);
    return vote.result();
}

}  // namespace cut2edl
