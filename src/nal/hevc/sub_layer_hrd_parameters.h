#pragma once

#include <cstdint>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"

namespace cut2edl::hevc {

// sub_layer_hrd_parameters(subLayerId): the bit rate and buffer size of each
// of one sub-layer's CpbCnt delivery schedules, with the decoding-unit values
// where the HRD has sub-picture parameters.
class sub_layer_hrd_parameters {
public:
    // `CpbCnt` is cpb_cnt_minus1 + 1, at most 32.
    void parse(BoundedReader& reader, unsigned CpbCnt, bool sub_pic_hrd_params_present_flag);
    void dump(const LineSink& sink) const;

    struct schedule {
        Field<std::uint32_t> bit_rate_value_minus1;
        Field<std::uint32_t> cpb_size_value_minus1;
        Field<std::uint32_t> cpb_size_du_value_minus1;
        Field<std::uint32_t> bit_rate_du_value_minus1;
        Field<std::uint8_t> cbr_flag;
    };

    bool sub_pic_hrd_params_present = false;
    std::vector<schedule> schedules;  // indexed by SchedSelIdx, as many as were read
};

}  // namespace cut2edl::hevc
