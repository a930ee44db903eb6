#pragma once

#include <cstdint>

namespace cut2edl {

// Where one NAL unit lies in a buffer of video PES packet bytes: from its NAL
// header byte up to the next start code (00 00 01, the zero bytes in front of
// it excluded) or the end of the buffer. Its emulation prevention bytes are
// still in it.
struct NalUnit {
    int offset = 0;  // index of the NAL header byte
    int length = 0;  // 0: no NAL unit was found

    bool found() const { return length > 0; }
    int end() const { return offset + length; }
};

// The first NAL unit whose start code begins at or after index `from` of
// [data, data + length), where the bytes are those of PES packets as a
// transport-stream demuxer collects them: the buffer may begin with a PES
// header (00 00 01 E0..EF) and hold further ones. Each PES header is passed
// over by its own length (9 + PES_header_data_length), so neither its start
// code nor its fields are taken for a NAL unit; a NAL unit that a PES header
// splits ends at that header. A start code followed by a byte with the
// forbidden zero bit set begins no NAL unit. Walk a buffer with
// `find_nal_unit(data, length, unit.end())`.
NalUnit find_nal_unit(const std::uint8_t* data, int length, int from);

}  // namespace cut2edl
