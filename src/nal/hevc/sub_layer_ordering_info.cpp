#include "nal/hevc/sub_layer_ordering_info.h"

#include "nal/ranged_read.h"

namespace cut2edl::hevc {

namespace {

// A decoded picture buffer holds at most 16 pictures.
constexpr std::uint32_t largest_max_dec_pic_buffering_minus1 = 15;

}  // namespace

void sub_layer_ordering_info::parse(BoundedReader& reader, unsigned max_sub_layers_minus1) {
    reader.read(sub_layer_ordering_info_present_flag, 1);
    const unsigned first = sub_layer_ordering_info_present_flag.value ? 0 : max_sub_layers_minus1;
    for (unsigned i = first; i <= max_sub_layers_minus1 && !reader.ran_out(); ++i) {
        sub_layer layer;
        layer.i = i;
        read_ue_at_most(reader, layer.max_dec_pic_buffering_minus1, largest_max_dec_pic_buffering_minus1);
        read_ue_at_most(reader, layer.max_num_reorder_pics, layer.max_dec_pic_buffering_minus1.value);
        reader.read_ue(layer.max_latency_increase_plus1);
        if (!reader.ran_out()) sub_layers.push_back(layer);
    }
}

std::uint32_t sub_layer_ordering_info::highest_max_dec_pic_buffering_minus1() const {
    return sub_layers.empty() ? 0 : sub_layers.back().max_dec_pic_buffering_minus1.value;
}

void sub_layer_ordering_info::dump(const LineSink& sink, const char* prefix) const {
    print_line(sink, "%s_sub_layer_ordering_info_present_flag: %s", prefix,
               yes_no(sub_layer_ordering_info_present_flag.value));
    for (const sub_layer& layer : sub_layers) {
        print_line(sink, "%s_max_dec_pic_buffering_minus1[%u]: %u", prefix, layer.i,
                   layer.max_dec_pic_buffering_minus1.value);
        print_line(sink, "%s_max_num_reorder_pics[%u]: %u", prefix, layer.i, layer.max_num_reorder_pics.value);
        print_line(sink, "%s_max_latency_increase_plus1[%u]: %u", prefix, layer.i,
                   layer.max_latency_increase_plus1.value);
    }
}

}  // namespace cut2edl::hevc
