#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"
#include "nal/hevc/profile_tier_level.h"
#include "nal/hevc/scaling_list_data.h"
#include "nal/hevc/st_ref_pic_set.h"
#include "nal/hevc/sub_layer_ordering_info.h"
#include "nal/hevc/vui_parameters.h"

namespace cut2edl::hevc {

// seq_parameter_set_rbsp() (NAL unit type 33) of the base layer: profile,
// tier and level, chroma format, the picture size with its conformance
// window, bit depths, buffering per sub-layer, block sizes, scaling lists,
// the short- and long-term reference pictures, and the VUI. The extensions
// behind the VUI are not parsed.
//
// A value beyond what the standard allows (an Exp-Golomb code with more than
// 31 leading zeros, a count or identifier above its limit, a reference picture
// set predicted from outside the earlier sets) or the end of the buffer ends
// the parse: the fields read so far stay, the rest keep their initial values,
// and the read_through_* flags tell how far it got.
class seq_parameter_set_rbsp {
public:
    // Parses the RBSP at `data`: the bytes behind the two-byte NAL unit
    // header, with the emulation prevention bytes removed. Spans are taken on,
    // and `*position` advanced by, the bytes it consumes.
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    // Table 6-1: the chroma subsampling, 1 and 1 without chroma arrays
    // (monochrome or separate colour planes).
    unsigned SubWidthC() const;
    unsigned SubHeightC() const;

    // The picture size in luma samples inside the conformance window; -1
    // unless every field up to the window's offsets was read
    // (read_through_size) and the size is positive. With field_seq_flag 1 a
    // picture is a field.
    int width() const;
    int height() const;
    // Pictures per second, vui_time_scale / vui_num_units_in_tick (the double
    // nearest to that fraction); -1.0 (undetermined) without VUI timing, with
    // a zero field, or unless the parse got through the timing fields.
    double frame_rate() const;
    // field_seq_flag: each picture is a field, and the rate counts fields.
    bool pictures_are_fields() const;
    bool complete_through_timing() const { return read_through_timing; }

    // Every field up to and including the conformance window was read.
    bool read_through_size = false;
    // ... and further up to and including the VUI's timing fields (or the
    // flag saying there is no VUI, or no timing information).
    bool read_through_timing = false;
    // ... and the whole RBSP up to its stop bit (never with extensions).
    bool read_to_end = false;

    field_span span = 0;
    Field<std::uint8_t> sps_video_parameter_set_id;
    Field<std::uint8_t> sps_max_sub_layers_minus1;
    Field<std::uint8_t> sps_temporal_id_nesting_flag;
    profile_tier_level profile;
    Field<std::uint32_t> sps_seq_parameter_set_id;
    Field<std::uint32_t> chroma_format_idc;
    Field<std::uint8_t> separate_colour_plane_flag;
    Field<std::uint32_t> pic_width_in_luma_samples;
    Field<std::uint32_t> pic_height_in_luma_samples;
    Field<std::uint8_t> conformance_window_flag;
    Field<std::uint32_t> conf_win_left_offset;
    Field<std::uint32_t> conf_win_right_offset;
    Field<std::uint32_t> conf_win_top_offset;
    Field<std::uint32_t> conf_win_bottom_offset;
    Field<std::uint32_t> bit_depth_luma_minus8;
    Field<std::uint32_t> bit_depth_chroma_minus8;
    Field<std::uint32_t> log2_max_pic_order_cnt_lsb_minus4;
    sub_layer_ordering_info ordering;  // sps_sub_layer_ordering_info_present_flag and its loop
    Field<std::uint32_t> log2_min_luma_coding_block_size_minus3;
    Field<std::uint32_t> log2_diff_max_min_luma_coding_block_size;
    Field<std::uint32_t> log2_min_luma_transform_block_size_minus2;
    Field<std::uint32_t> log2_diff_max_min_luma_transform_block_size;
    Field<std::uint32_t> max_transform_hierarchy_depth_inter;
    Field<std::uint32_t> max_transform_hierarchy_depth_intra;
    Field<std::uint8_t> scaling_list_enabled_flag;
    Field<std::uint8_t> sps_scaling_list_data_present_flag;
    std::unique_ptr<scaling_list_data> scaling_lists;
    Field<std::uint8_t> amp_enabled_flag;
    Field<std::uint8_t> sample_adaptive_offset_enabled_flag;
    Field<std::uint8_t> pcm_enabled_flag;
    Field<std::uint8_t> pcm_sample_bit_depth_luma_minus1;
    Field<std::uint8_t> pcm_sample_bit_depth_chroma_minus1;
    Field<std::uint32_t> log2_min_pcm_luma_coding_block_size_minus3;
    Field<std::uint32_t> log2_diff_max_min_pcm_luma_coding_block_size;
    Field<std::uint8_t> pcm_loop_filter_disabled_flag;
    Field<std::uint32_t> num_short_term_ref_pic_sets;
    std::vector<st_ref_pic_set> st_ref_pic_sets;  // indexed by stRpsIdx, as many as were read
    Field<std::uint8_t> long_term_ref_pics_present_flag;
    Field<std::uint32_t> num_long_term_ref_pics_sps;
    struct long_term_ref_pic {
        Field<std::uint32_t> lt_ref_pic_poc_lsb_sps;
        Field<std::uint8_t> used_by_curr_pic_lt_sps_flag;
    };
    std::vector<long_term_ref_pic> long_term_ref_pics;  // as many as were read
    Field<std::uint8_t> sps_temporal_mvp_enabled_flag;
    Field<std::uint8_t> strong_intra_smoothing_enabled_flag;
    Field<std::uint8_t> vui_parameters_present_flag;
    std::unique_ptr<vui_parameters> vui;
    Field<std::uint8_t> sps_extension_present_flag;
    Field<std::uint8_t> rbsp_stop_one_bit;

private:
    void parse_picture_format(BoundedReader& reader);
    void parse_block_sizes(BoundedReader& reader);
    void parse_scaling_lists(BoundedReader& reader);
    void parse_pcm(BoundedReader& reader);
    void parse_reference_pictures(BoundedReader& reader);
    void parse_vui(BoundedReader& reader);
    void dump_picture_format(const LineSink& sink) const;
    void dump_block_sizes(const LineSink& sink) const;
    void dump_pcm(const LineSink& sink) const;
    void dump_reference_pictures(const LineSink& sink) const;
    void dump_derived_values(const LineSink& sink) const;
};

}  // namespace cut2edl::hevc
