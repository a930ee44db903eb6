#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"
#include "nal/hevc/sub_layer_hrd_parameters.h"

namespace cut2edl::hevc {

// hrd_parameters(commonInfPresentFlag, maxNumSubLayersMinus1) of the VUI or a
// video parameter set: the hypothetical reference decoder's information
// common to all sub-layers, then for each sub-layer its picture rate
// constancy and the NAL and VCL schedules.
class hrd_parameters {
public:
    // Reads at the reader's cursor; `maxNumSubLayersMinus1` is at most 6.
    // Without common information (a VPS's cprms_present_flag 0) the common
    // fields are those of the hrd_parameters() before, which the caller
    // copies with take_common_information first.
    void parse(BoundedReader& reader, bool commonInfPresentFlag, unsigned maxNumSubLayersMinus1);
    void dump(const LineSink& sink) const;

    struct common_information {
        Field<std::uint8_t> nal_hrd_parameters_present_flag;
        Field<std::uint8_t> vcl_hrd_parameters_present_flag;
        Field<std::uint8_t> sub_pic_hrd_params_present_flag;
        Field<std::uint8_t> tick_divisor_minus2;
        Field<std::uint8_t> du_cpb_removal_delay_increment_length_minus1;
        Field<std::uint8_t> sub_pic_cpb_params_in_pic_timing_sei_flag;
        Field<std::uint8_t> dpb_output_delay_du_length_minus1;
        Field<std::uint8_t> bit_rate_scale;
        Field<std::uint8_t> cpb_size_scale;
        Field<std::uint8_t> cpb_size_du_scale;
        Field<std::uint8_t> initial_cpb_removal_delay_length_minus1;
        Field<std::uint8_t> au_cpb_removal_delay_length_minus1;
        Field<std::uint8_t> dpb_output_delay_length_minus1;
    };

    struct sub_layer {
        Field<std::uint8_t> fixed_pic_rate_general_flag;
        Field<std::uint8_t> fixed_pic_rate_within_cvs_flag;  // 1 where fixed_pic_rate_general_flag is 1
        Field<std::uint32_t> elemental_duration_in_tc_minus1;
        Field<std::uint8_t> low_delay_hrd_flag;
        Field<std::uint32_t> cpb_cnt_minus1;
        std::unique_ptr<sub_layer_hrd_parameters> nal_sub_layer_hrd_parameters;
        std::unique_ptr<sub_layer_hrd_parameters> vcl_sub_layer_hrd_parameters;
    };

    void take_common_information(const hrd_parameters& previous) { common = previous.common; }

    field_span span = 0;
    bool common_information_present = true;
    common_information common;
    std::vector<sub_layer> sub_layers;  // as many as were read

private:
    void parse_common_information(BoundedReader& reader);
    void parse_sub_layer(BoundedReader& reader, sub_layer& layer) const;
    void dump_common_information(const LineSink& sink) const;
    void dump_sub_layer(const LineSink& sink, std::size_t i, const sub_layer& layer) const;
};

}  // namespace cut2edl::hevc
