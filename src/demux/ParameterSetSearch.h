#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "demux/CDVB_Stream.h"
#include "demux/ProbeReport.h"
#include "demux/ProgramTables.h"
#include "demux/video_parameters.h"
#include "ts/PID_List.h"

namespace cut2edl {

// How far the walk over the tables went, and the PIDs it met on the way.
struct TablesWalked {
    std::int64_t packets = 0;
    bool endOfFile = false;
    std::vector<bool> pidsSeen = std::vector<bool>(PID_List::pid_count);
};

// The rate that the presentation time stamps of a video's first PES packets show.
struct TimeStampRate {
    double frameRate = -1.0;
    std::int64_t spacing = 0;  // 90 kHz ticks between neighbouring pictures
    bool halved = false;       // the stamps came a field apart
};

// The search of a program's video for its first parameter set, in the
// packets that came clear (no transport error, not scrambled): which of the
// program's video streams is its video, the parameter set's size and rate,
// and where the parameter set carries no timing, the rate of the video's
// time stamps. Each search ends within bounds that do not grow with the file.
class ParameterSetSearch {
public:
    // A video with no clear packet this far into the file has none.
    static constexpr std::int64_t firstPacketBound = 16 * 1024 * 1024;
    // The search ends this far behind the video's first clear packet, and
    // never goes beyond windowBound into the file.
    static constexpr std::int64_t windowBehindFirstPacket = 32 * 1024 * 1024;
    static constexpr std::int64_t windowBound = 64 * 1024 * 1024;
    // The time stamps a rate is measured over.
    static constexpr int timeStampCount = 17;

    ParameterSetSearch(CDVB_Stream& stream, const TablesWalked& walked, const ProbeReport& report);

    // Chooses the program's video and reads its first parameter set, into
    // `program`; tells on `report` what it finds.
    void search(ProgramInfo& program, const ProbeReport& report);
    // With no program's video giving a parameter set: the video on each PID
    // whose PES packets carry a video stream id, its coding the one whose
    // parameter sets parse (an MPEG sequence header; an H.264 sequence and
    // picture parameter set; an HEVC video, sequence and picture parameter
    // set), as a program of its own.
    std::vector<ProgramInfo> searchByStartCodes(const ProbeReport& report);
    // The first PTS of the video on `pid` within its window; 0 when none is found.
    std::int64_t firstPts(int pid);
    // The first `count` PTS values of the video on `pid` within its window, fewer where it holds fewer.
    std::vector<std::int64_t> leadingPts(int pid, std::size_t count);

private:
    // The first clear payload start of `pid` within the first 16 MiB; -1 when none.
    std::int64_t firstClearPacket(int pid);
    // The end of the search on a video whose first clear payload start is `first`.
    std::int64_t windowEnd(std::int64_t first) const;
    // Whether the first clear PES packet at `first` belongs to a video stream.
    bool carriesVideoStreamId(std::int64_t first);
    void searchWindow(ProgramInfo& program, std::int64_t first, const ProbeReport& report);
    // The parameters of the video data that begins at payload start `first`.
    VideoParameters examineVideo(std::uint8_t coding, int pid, std::int64_t first, std::int64_t endAddress,
                                 const ProbeReport& report);
    // The PIDs whose clear PES packets within the first 16 MiB carry a video stream id, in order.
    std::vector<int> videoStreamPids();
    // The coding whose parameter sets parse in the video of `pid`; 0 when none does.
    std::uint8_t codingByStartCodes(int pid, std::int64_t first);
    // Fills up to `size` bytes of the video buffer with the payloads of
    // `pid` from packet `first` on, up to a packet that did not come clear;
    // returns the bytes filled.
    int collectVideo(std::int64_t first, int pid, std::int64_t endAddress, int size);
    TimeStampRate rateFromTimeStamps(int pid, std::int64_t first, std::int64_t endAddress, bool fieldPictures);
    // The PTS of the video PES header that starts packet n's payload, or -1.
    std::int64_t ptsAt(std::int64_t n);
    void reportTimeStamps(const ProbeReport& report, const char* heading, const TimeStampRate& rate) const;

    CDVB_Stream& stream;
    const TablesWalked& walked;
    NoticeSink notices;
    int position = 1;
    std::array<std::uint8_t, CDVB_Stream::packetSize> packet{};
    // The video that a parameter set is looked for in; left uninitialised.
    std::unique_ptr<std::uint8_t[]> videoBuffer;
    // Where the search on each video PID ends.
    std::map<int, std::int64_t> windows;
    // The PIDs searched to the end of their window without a parameter set.
    std::vector<bool> searchedThrough = std::vector<bool>(PID_List::pid_count);
};

}  // namespace cut2edl
