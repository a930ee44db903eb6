#pragma once

#include <cstdint>
#include <memory>

#include "nal/hevc/seq_parameter_set_rbsp.h"
#include "nal/hevc/video_parameter_set_rbsp.h"

namespace cut2edl::hevc {

// The two-byte NAL unit header: forbidden_zero_bit, nal_unit_type (6 bits),
// nuh_layer_id (6 bits) and nuh_temporal_id_plus1 (3 bits).
constexpr int nal_unit_header_bytes = 2;
constexpr unsigned nal_unit_type_of(std::uint8_t first_header_byte) { return first_header_byte >> 1 & 0x3Fu; }
constexpr unsigned nuh_layer_id_of(std::uint8_t first_header_byte, std::uint8_t second_header_byte) {
    return (first_header_byte & 1u) << 5 | second_header_byte >> 3;
}
constexpr unsigned nal_unit_type_video_parameter_set = 32;  // VPS_NUT
constexpr unsigned nal_unit_type_seq_parameter_set = 33;    // SPS_NUT

// The first video and sequence parameter sets of a buffer of video PES bytes.
struct ParameterSets {
    std::unique_ptr<video_parameter_set_rbsp> vps;  // nullptr when the buffer holds none
    std::unique_ptr<seq_parameter_set_rbsp> sps;    // nullptr when the buffer holds none

    // Pictures per second: the sequence parameter set's VUI timing, or, where
    // it has none, the timing of the video parameter set it refers to (the
    // same vps_video_parameter_set_id); -1.0 when neither gives one.
    double frame_rate() const;
    // The rate comes from the video parameter set.
    bool rate_from_vps() const;
};

// The first video parameter set (NAL unit type 32) and the first sequence
// parameter set (type 33) of the base layer (nuh_layer_id 0) among the NAL
// units of a buffer of video PES packet bytes (as find_nal_unit walks them),
// each parsed from its RBSP with spans counted from `first_position` on its
// unescaped bytes. The search ends once both are found. A parameter set that
// the buffer's end cuts off comes back incomplete (see complete_through_timing).
ParameterSets find_parameter_sets(const std::uint8_t* data, int length, int first_position = 0);

}  // namespace cut2edl::hevc
