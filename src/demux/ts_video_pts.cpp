#include "demux/ts_video_pts.h"

#include "demux/CDVB_Stream.h"
#include "mpeg/mpeg_pes_header.h"

namespace cut2edl {

namespace {

constexpr int packetSize = CDVB_Stream::packetSize;
constexpr std::uint8_t syncByte = CDVB_Stream::syncByte;

bool isVideoStreamId(std::uint8_t id) { return id >= 0xE0 && id <= 0xEF; }

// Whether a packet begins at `offset`: its sync byte, and the next packet's
// where the bytes hold it.
bool packetBeginsAt(std::span<const std::uint8_t> bytes, std::size_t offset, int stride) {
    if (offset + packetSize > bytes.size() || bytes[offset] != syncByte) return false;
    const std::size_t next = offset + static_cast<std::size_t>(stride);
    return next >= bytes.size() || bytes[next] == syncByte;
}

// The PTS of the video PES header that starts the payload of the packet whose
// header is `header`, or -1.
std::int64_t videoPesPts(const std::uint8_t* packet, const TSPacketHeader& header) {
    const int offset = payload_offset(packet, header);
    if (!startsVideoPes(packet, offset)) return -1;
    int position = 1;
    mpeg_pes_header pes;
    pes.parse(packet + offset, packetSize - offset, &position);
    if (pes.start_code.value >> 8 != 1 || !pes.extension || !pes.extension->pts_dts) return -1;
    const pes_clock_value& pts = pes.extension->pts_dts->PTS;
    return pts.marker_bit_3.span != 0 ? static_cast<std::int64_t>(pts.value()) : -1;
}

TSPacketHeader headerOf(const std::uint8_t* packet) {
    TSPacketHeader header;
    int position = 1;
    header.parse(packet, packetSize, &position);
    return header;
}

}  // namespace

bool cameClear(const TSPacketHeader& header) {
    return header.transport_error_indicator == 0 && header.transport_scrambling_control == 0;
}

bool startsVideoPes(const std::uint8_t* packet, int offset) {
    return offset >= 0 && packetSize - offset >= 4 && packet[offset] == 0 && packet[offset + 1] == 0 &&
           packet[offset + 2] == 1 && isVideoStreamId(packet[offset + 3]);
}

std::int64_t videoPesPts(const std::uint8_t* packet) { return videoPesPts(packet, headerOf(packet)); }

void videoPtsOfPackets(std::span<const std::uint8_t> bytes, std::size_t unitsEnd, int stride, int pid,
                       std::vector<std::int64_t>& stamps) {
    std::size_t offset = 0;
    while (offset < unitsEnd) {
        if (!packetBeginsAt(bytes, offset, stride)) {
            ++offset;  // not on a packet: the sync is looked for byte by byte
            continue;
        }
        const std::uint8_t* packet = bytes.data() + offset;
        const TSPacketHeader header = headerOf(packet);
        if (header.PID == static_cast<std::uint32_t>(pid) && header.payload_unit_start_indicator && cameClear(header)) {
            const std::int64_t pts = videoPesPts(packet, header);
            if (pts >= 0) stamps.push_back(pts);
        }
        offset += static_cast<std::size_t>(stride);
    }
}

}  // namespace cut2edl
