#include "demux/ParameterSetSearch.h"

#include <algorithm>
#include <cmath>

#include "demux/pts_span.h"
#include "demux/ts_video_pts.h"
#include "nal/h264/pic_parameter_set_rbsp.h"
#include "nal/hevc/parameter_sets.h"
#include "nal/hevc/pic_parameter_set_rbsp.h"
#include "ts/TSPacketHeader.h"

namespace cut2edl {

namespace {

constexpr int packetSize = CDVB_Stream::packetSize;
// The video data a sequence header is looked for in, and how much of it may
// remain unfilled: one more payload would not fit.
constexpr int videoBufferSize = 4096;
constexpr int videoBufferSlack = 184;
// How far behind a payload start the rest of its video is looked for: a
// multiplexer sends a few kilobytes of one stream within far less.
constexpr std::int64_t continuationBound = 1024 * 1024;

constexpr std::uint8_t mpeg1VideoType = 0x01;
constexpr std::uint8_t mpeg2VideoType = 0x02;
constexpr std::uint8_t h264VideoType = 0x1B;
constexpr std::uint8_t hevcVideoType = 0x24;
constexpr std::uint8_t cableMpeg2VideoType = 0x80;

// A cadence above this is one of fields.
constexpr double highestFrameRate = 47.0;
constexpr double standardRateTolerance = 0.0005;
constexpr double standardRates[] = {24000.0 / 1001, 24, 25, 30000.0 / 1001, 30, 50, 60000.0 / 1001, 60};


// MPEG-1 video and MPEG-2 video as cable signals it read as MPEG-2 video.
std::uint8_t codingOf(std::int32_t streamType) {
    if (streamType == mpeg1VideoType || streamType == cableMpeg2VideoType) return mpeg2VideoType;
    return static_cast<std::uint8_t>(streamType);
}

double nearestStandardRate(double measured) {
    for (const double rate : standardRates) {
        if (std::abs(measured - rate) <= rate * standardRateTolerance) return rate;
    }
    return measured;
}

}  // namespace

ParameterSetSearch::ParameterSetSearch(CDVB_Stream& packets, const TablesWalked& tablesWalked,
                                       const ProbeReport& report)
    : stream(packets),
      walked(tablesWalked),
      notices(report.notices()),
      videoBuffer(std::make_unique_for_overwrite<std::uint8_t[]>(2 * videoBufferSize)) {}

void ParameterSetSearch::search(ProgramInfo& program, const ProbeReport& report) {
    for (const ProgramInfo::VideoStream& video : program.videoStreams) {
        // In Blu-ray streams stream_type 0x80 is LPCM audio.
        if (video.streamType == cableMpeg2VideoType && program.hdmv) continue;
        const std::int64_t first = firstClearPacket(video.pid);
        if (first < 0 || (video.streamType == cableMpeg2VideoType && !carriesVideoStreamId(first))) continue;
        program.videoPid = video.pid;
        program.videoStreamType = video.streamType;
        report.print("Video PID: 0x%04X (stream_type 0x%02X)", program.videoPid, program.videoStreamType);
        return searchWindow(program, first, report);
    }
    if (program.videoPid == -1) return report.line("No parameter set: no video PID");
    report.print("Video PID: 0x%04X (stream_type 0x%02X)", program.videoPid, program.videoStreamType);
    const bool endOfFile = walked.endOfFile || stream.endOfFile();
    report.line(endOfFile ? "No parameter set before the end of the file"
                          : "No parameter set: no clear packet of the video within the first 16 MiB");
}

std::int64_t ParameterSetSearch::firstClearPacket(int pid) {
    const std::int64_t bound = stream.addressOf(0) + firstPacketBound;
    // Where the walk over the tables already passed every packet that the
    // search would look at without meeting the PID, it has nothing to find.
    const bool walkedEverything = walked.endOfFile || stream.addressOf(walked.packets) >= bound;
    if (walkedEverything && !walked.pidsSeen[static_cast<std::size_t>(pid)]) return -1;
    return stream.findClearPayloadStartForward(pid, 0, bound);
}

std::int64_t ParameterSetSearch::windowEnd(std::int64_t first) const {
    return std::min(stream.addressOf(first) + windowBehindFirstPacket, stream.addressOf(0) + windowBound);
}

bool ParameterSetSearch::carriesVideoStreamId(std::int64_t first) {
    if (!stream.readPacket(first, packet.data())) return false;
    TSPacketHeader header;
    header.parse(packet.data(), packetSize, &position);
    return startsVideoPes(packet.data(), payload_offset(packet.data(), header));
}

void ParameterSetSearch::searchWindow(ProgramInfo& program, std::int64_t first, const ProbeReport& report) {
    const int pid = program.videoPid;
    const std::int64_t end = windowEnd(first);
    windows[pid] = end;
    for (std::int64_t k = first; k >= 0; k = stream.findClearPayloadStartForward(pid, k + 1, end)) {
        const VideoParameters found = examineVideo(codingOf(program.videoStreamType), pid, k, end, report);
        if (found.outcome == VideoParameters::Outcome::NotFound) continue;
        if (found.outcome == VideoParameters::Outcome::Found) {
            program.width = found.width;
            program.height = found.height;
            program.frameRate = found.frameRate;
            // Only a report shows the time stamps' rate beside the parameter set's.
            if (!report.discards()) {
                reportTimeStamps(report, "The time stamps give", rateFromTimeStamps(pid, first, end, found.fieldPictures));
            }
            return;
        }
        const TimeStampRate measured = rateFromTimeStamps(pid, first, end, found.fieldPictures);
        reportTimeStamps(report, "Frame rate from the time stamps", measured);
        // Without a frame rate a parameter set counts for nothing in the choice.
        if (measured.frameRate > 0) {
            program.width = found.width;
            program.height = found.height;
            program.frameRate = measured.frameRate;
        }
        return;
    }
    searchedThrough[static_cast<std::size_t>(pid)] = true;
    report.line(stream.endOfFile() ? "No parameter set before the end of the file"
                                   : "No parameter set within 32 MiB of the video's first clear packet, or 64 MiB "
                                     "of the start");
}

VideoParameters ParameterSetSearch::examineVideo(std::uint8_t coding, int pid, std::int64_t first,
                                                 std::int64_t endAddress, const ProbeReport& report) {
    int filled = collectVideo(first, pid, endAddress, videoBufferSize);
    const VideoParameters found = findVideoParameters(coding, videoBuffer.get(), filled, report, true);
    if (found.outcome != VideoParameters::Outcome::NeedsMoreBytes) return found;
    // The sequence extension that may scale the rate lies behind the buffer: read on a little.
    filled = collectVideo(first, pid, endAddress, 2 * videoBufferSize);
    return findVideoParameters(coding, videoBuffer.get(), filled, report, false);
}

std::vector<ProgramInfo> ParameterSetSearch::searchByStartCodes(const ProbeReport& report) {
    std::vector<ProgramInfo> found;
    const std::vector<int> pids = videoStreamPids();
    if (pids.empty()) report.line("No PID carries clear PES packets of a video stream id within the first 16 MiB");
    for (const int pid : pids) {
        report.print("PID 0x%04X, its PES packets of a video stream id:", pid);
        const ProbeReport nested = report.nested();
        // Its window was read through once already; a second time would find no more.
        if (searchedThrough[static_cast<std::size_t>(pid)]) {
            nested.line("Searched to the end of its window already");
            continue;
        }
        const std::int64_t first = firstClearPacket(pid);
        const std::uint8_t coding = codingByStartCodes(pid, first);
        if (coding == 0) {
            nested.line("No parameter set of a coding that is read");
            continue;
        }
        ProgramInfo video;
        video.videoPid = pid;
        video.videoStreamType = coding;
        video.videoStreams = {{pid, coding}};
        video.foundByStartCodes = true;
        nested.print("Coding: stream_type 0x%02X, by the parameter sets that parse", coding);
        searchWindow(video, first, nested);
        found.push_back(std::move(video));
    }
    return found;
}

std::vector<int> ParameterSetSearch::videoStreamPids() {
    std::vector<int> pids;
    std::vector<bool> listed(PID_List::pid_count);
    const std::int64_t bound = stream.addressOf(0) + firstPacketBound;
    for (std::int64_t n = 0; stream.addressOf(n) < bound && stream.readPacket(n, packet.data()); ++n) {
        TSPacketHeader header;
        header.parse(packet.data(), packetSize, &position);
        const auto pid = static_cast<std::size_t>(header.PID);
        if (listed[pid] || !header.payload_unit_start_indicator || !cameClear(header)) continue;
        if (!startsVideoPes(packet.data(), payload_offset(packet.data(), header))) continue;
        listed[pid] = true;
        pids.push_back(static_cast<int>(pid));
    }
    return pids;
}

std::uint8_t ParameterSetSearch::codingByStartCodes(int pid, std::int64_t first) {
    using Outcome = VideoParameters::Outcome;
    const ProbeReport silent;
    const auto parses = [&](std::uint8_t coding, int filled) {
        const Outcome outcome = findVideoParameters(coding, videoBuffer.get(), filled, silent, false).outcome;
        return outcome == Outcome::Found || outcome == Outcome::FoundWithoutRate;
    };
    if (first < 0) return 0;
    const std::int64_t end = windowEnd(first);
    for (std::int64_t k = first; k >= 0; k = stream.findClearPayloadStartForward(pid, k + 1, end)) {
        const int filled = collectVideo(k, pid, end, videoBufferSize);
        const std::uint8_t* bytes = videoBuffer.get();
        // A sequence header is tried first: its start code is the least likely to turn up by chance.
        if (parses(mpeg2VideoType, filled)) return mpeg2VideoType;
        if (parses(h264VideoType, filled)) {
            const auto picture = h264::find_pic_parameter_set(bytes, filled);
            if (picture && picture->read_through_core) return h264VideoType;
        }
        if (hevc::find_parameter_sets(bytes, filled).vps && parses(hevcVideoType, filled)) {
            const auto picture = hevc::find_pic_parameter_set(bytes, filled);
            if (picture && picture->read_through_core) return hevcVideoType;
        }
    }
    return 0;
}

int ParameterSetSearch::collectVideo(std::int64_t first, int pid, std::int64_t endAddress, int size) {
    int filled = 0;
    const std::int64_t bound = std::min(endAddress, stream.addressOf(first) + continuationBound);
    for (std::int64_t n = first; filled < size - videoBufferSlack && stream.addressOf(n) < bound; ++n) {
        if (!stream.readPacket(n, packet.data())) break;
        TSPacketHeader header;
        header.parse(packet.data(), packetSize, &position);
        if (static_cast<int>(header.PID) != pid) continue;
        // Bytes behind a packet that came damaged or scrambled would not follow on.
        if (!cameClear(header)) break;
        const int offset = payload_offset(packet.data(), header);
        if (offset < 0) continue;
        const int count = std::min(packetSize - offset, size - filled);
        std::copy_n(packet.begin() + offset, count, videoBuffer.get() + filled);
        filled += count;
    }
    return filled;
}

TimeStampRate ParameterSetSearch::rateFromTimeStamps(int pid, std::int64_t first, std::int64_t endAddress,
                                                     bool fieldPictures) {
    std::vector<std::int64_t> stamps;
    for (std::int64_t k = first; k >= 0 && static_cast<int>(stamps.size()) < timeStampCount;
         k = stream.findClearPayloadStartForward(pid, k + 1, endAddress)) {
        const std::int64_t pts = ptsAt(k);
        if (pts < 0) continue;
        // Counted from the first, across a wrap of the 33-bit clock.
        stamps.push_back(stamps.empty() ? pts : stamps.front() + ptsSince(stamps.front(), pts));
    }
    if (static_cast<int>(stamps.size()) < timeStampCount) return {};
    // Pictures come in decoding order: sorted, neighbouring stamps are one picture apart.
    std::sort(stamps.begin(), stamps.end());
    std::vector<std::int64_t> spacings;
    for (std::size_t i = 1; i < stamps.size(); ++i) {
        if (stamps[i] > stamps[i - 1]) spacings.push_back(stamps[i] - stamps[i - 1]);
    }
    if (spacings.empty()) return {};
    // The middle spacing: a picture missing here and there does not move it.
    std::nth_element(spacings.begin(), spacings.begin() + static_cast<std::ptrdiff_t>(spacings.size() / 2),
                     spacings.end());
    TimeStampRate measured{ptsClockRate / static_cast<double>(spacings[spacings.size() / 2]),
                           spacings[spacings.size() / 2]};
    // Fields coded as pictures of their own, each in its PES packet, come at twice the frame rate.
    if (fieldPictures && measured.frameRate > highestFrameRate) {
        measured.frameRate /= 2;
        measured.halved = true;
    }
    measured.frameRate = nearestStandardRate(measured.frameRate);
    return measured;
}

std::int64_t ParameterSetSearch::ptsAt(std::int64_t n) {
    return stream.readPacket(n, packet.data()) ? videoPesPts(packet.data()) : -1;
}

std::vector<std::int64_t> ParameterSetSearch::leadingPts(int pid, std::size_t count) {
    const auto window = windows.find(pid);
    const std::int64_t end = window != windows.end() ? window->second : stream.addressOf(0) + firstPacketBound;
    std::vector<std::int64_t> stamps;
    for (std::int64_t k = stream.findClearPayloadStartForward(pid, 0, end); k >= 0 && stamps.size() < count;
         k = stream.findClearPayloadStartForward(pid, k + 1, end)) {
        const std::int64_t pts = ptsAt(k);
        if (pts >= 0) stamps.push_back(pts);
    }
    return stamps;
}

std::int64_t ParameterSetSearch::firstPts(int pid) {
    const std::vector<std::int64_t> first = leadingPts(pid, 1);
    return first.empty() ? 0 : first.front();
}

void ParameterSetSearch::reportTimeStamps(const ProbeReport& report, const char* heading,
                                          const TimeStampRate& rate) const {
    if (rate.frameRate < 0) {
        return report.print("%s: no rate (fewer than %d PTS values of the video)", heading, timeStampCount);
    }
    report.print("%s: %.10g frames per second (%d PTS values, %lld ticks apart%s)", heading, rate.frameRate,
                 timeStampCount, static_cast<long long>(rate.spacing), rate.halved ? ", a field each" : "");
}

}  // namespace cut2edl
