#pragma once

#include <cstdint>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"

namespace cut2edl::hevc {

// The decoded picture buffer size, reorder count and latency that a video
// parameter set (vps_ fields) or a sequence parameter set (sps_ fields) gives
// for each sub-layer or, where ..._sub_layer_ordering_info_present_flag is 0,
// for the highest alone. Fields are named as the standard names them less the
// vps_ or sps_ prefix, which the rendering puts back.
class sub_layer_ordering_info {
public:
    // Reads the present flag and the values at the reader's cursor;
    // `max_sub_layers_minus1` is at most 6.
    void parse(BoundedReader& reader, unsigned max_sub_layers_minus1);
    // `prefix` is "vps" or "sps".
    void dump(const LineSink& sink, const char* prefix) const;

    // max_dec_pic_buffering_minus1 of the highest sub-layer, which bounds the
    // pictures of a reference picture set; 0 when it was not read.
    std::uint32_t highest_max_dec_pic_buffering_minus1() const;

    struct sub_layer {
        unsigned i = 0;
        Field<std::uint32_t> max_dec_pic_buffering_minus1;
        Field<std::uint32_t> max_num_reorder_pics;
        Field<std::uint32_t> max_latency_increase_plus1;
    };

    Field<std::uint8_t> sub_layer_ordering_info_present_flag;
    // From sub-layer 0 (or the highest alone) up to the highest, as many as were read.
    std::vector<sub_layer> sub_layers;
};

}  // namespace cut2edl::hevc
