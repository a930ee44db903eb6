#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <map>

#include "demux/ProbeReport.h"
#include "mpeg/mpeg_sequence_header.h"

namespace cut2edl {

// What the majority of the first sequence headers of a file say.
struct VideoFormat {
    double frameRate = -1.0;  // -1.0: no header carried a frame-rate code from 1 to 8
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Majority vote over sequence headers. Ties go to the smallest key.
class SequenceHeaderVote {
public:
    // Counts the header's size and its rate, scaled by the sequence extension behind it.
    void add(const mpeg_sequence_header& header);
    VideoFormat result() const;

private:
    std::map<std::int32_t, int> widthVotes;
    std::map<std::int32_t, int> heightVotes;
    std::map<double, int> rateVotes;
};

// Scans the raw bytes of `in` for the start code 00 00 01 B3 (any number of
// zero bytes before the 01) and votes over the first five sequence headers,
// which it tells on `report`. The scan ends at the end of the stream or after
// the first 16 MiB, so a file that carries no MPEG-2 video is not read to its
// end.
VideoFormat voteSequenceHeaders(std::istream& in, const ProbeReport& report = ProbeReport());

inline constexpr std::size_t sequenceHeadersVoted = 5;
inline constexpr std::int64_t sequenceHeaderScanLimit = 16 * 1024 * 1024;

}  // namespace cut2edl
