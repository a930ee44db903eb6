#pragma once

#include <cstdint>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"
#include "nal/hevc/hrd_parameters.h"
#include "nal/hevc/profile_tier_level.h"
#include "nal/hevc/sub_layer_ordering_info.h"
#include "nal/hevc/timing_info.h"

namespace cut2edl::hevc {

// video_parameter_set_rbsp() (NAL unit type 32): the layers and sub-layers
// of the bitstream, their profile, tier and level and buffering, the layer
// sets, and the timing with an HRD per layer set. The extension is not parsed.
//
// As in the sequence parameter set, a value beyond its limit or the end of
// the buffer ends the parse with what was read.
class video_parameter_set_rbsp {
public:
    // Parses the RBSP at `data` (behind the two-byte NAL unit header, without
    // emulation prevention bytes); spans on the running counter `*position`.
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    // Pictures per second, vps_time_scale / vps_num_units_in_tick (the double
    // nearest to that fraction); -1.0 without VPS timing, with a zero field,
    // or unless the parse got through the timing fields.
    double frame_rate() const;
    bool complete_through_timing() const { return read_through_timing; }

    // Every field up to and including the timing (vps_num_units_in_tick to
    // vps_num_ticks_poc_diff_one_minus1, or vps_timing_info_present_flag of 0) was read.
    bool read_through_timing = false;
    // ... and the whole RBSP up to its stop bit (never with an extension).
    bool read_to_end = false;

    struct layer_set_hrd {
        Field<std::uint32_t> hrd_layer_set_idx;
        Field<std::uint8_t> cprms_present_flag{1, 0};  // 1 for the first, where it is not sent
        hrd_parameters parameters;
    };

    field_span span = 0;
    Field<std::uint8_t> vps_video_parameter_set_id;
    Field<std::uint8_t> vps_base_layer_internal_flag;
    Field<std::uint8_t> vps_base_layer_available_flag;
    Field<std::uint8_t> vps_max_layers_minus1;
    Field<std::uint8_t> vps_max_sub_layers_minus1;
    Field<std::uint8_t> vps_temporal_id_nesting_flag;
    Field<std::uint16_t> vps_reserved_0xffff_16bits;
    profile_tier_level profile;
    sub_layer_ordering_info ordering;  // vps_sub_layer_ordering_info_present_flag and its loop
    Field<std::uint8_t> vps_max_layer_id;
    Field<std::uint32_t> vps_num_layer_sets_minus1;
    // layer_id_included_flag[i][j] of layer sets 1 to vps_num_layer_sets_minus1
    // (entry i - 1), j from 0 to vps_max_layer_id; as many as were read.
    std::vector<std::vector<Field<std::uint8_t>>> layer_id_included_flag;
    Field<std::uint8_t> vps_timing_info_present_flag;
    timing_info vps_timing;
    Field<std::uint32_t> vps_num_hrd_parameters;
    std::vector<layer_set_hrd> hrd_parameters_of_layer_sets;  // as many as were read
    Field<std::uint8_t> vps_extension_flag;
    Field<std::uint8_t> rbsp_stop_one_bit;

private:
    void parse_layer_sets(BoundedReader& reader);
    void parse_timing(BoundedReader& reader);
    void parse_hrd_parameters(BoundedReader& reader);
    void dump_layer_sets(const LineSink& sink) const;
    void dump_timing(const LineSink& sink) const;
};

}  // namespace cut2edl::hevc
