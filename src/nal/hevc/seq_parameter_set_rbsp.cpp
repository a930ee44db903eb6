#include "nal/hevc/seq_parameter_set_rbsp.h"

#include <climits>

#include "nal/ranged_read.h"
#include "nal/value_text.h"

namespace cut2edl::hevc {

namespace {

constexpr std::uint8_t largest_max_sub_layers_minus1 = 6;
constexpr std::uint32_t largest_seq_parameter_set_id = 15;
constexpr std::uint32_t largest_chroma_format_idc = 3;
constexpr std::uint32_t largest_bit_depth_minus8 = 8;
constexpr std::uint32_t largest_log2_max_pic_order_cnt_lsb_minus4 = 12;
constexpr std::uint32_t largest_num_short_term_ref_pic_sets = 64;
constexpr std::uint32_t largest_num_long_term_ref_pics_sps = 32;
constexpr unsigned chroma_420 = 1;
constexpr unsigned chroma_422 = 2;

// A size in luma samples less the window's offsets in chroma units; -1 when
// the fields give none that is positive and fits.
int windowed_size(std::uint32_t samples, unsigned unit, std::uint32_t first_offset, std::uint32_t second_offset) {
    const long long offsets = static_cast<long long>(first_offset) + second_offset;
    const long long size = static_cast<long long>(samples) - static_cast<long long>(unit) * offsets;
    return size > 0 && size <= INT_MAX ? static_cast<int>(size) : -1;
}

}  // namespace

unsigned seq_parameter_set_rbsp::SubWidthC() const {
    if (separate_colour_plane_flag.value) return 1;
    return chroma_format_idc.value == chroma_420 || chroma_format_idc.value == chroma_422 ? 2 : 1;
}

unsigned seq_parameter_set_rbsp::SubHeightC() const {
    if (separate_colour_plane_flag.value) return 1;
    return chroma_format_idc.value == chroma_420 ? 2 : 1;
}

int seq_parameter_set_rbsp::width() const {
    if (!read_through_size) return -1;
    return windowed_size(pic_width_in_luma_samples.value, SubWidthC(), conf_win_left_offset.value,
                         conf_win_right_offset.value);
}

int seq_parameter_set_rbsp::height() const {
    if (!read_through_size) return -1;
    return windowed_size(pic_height_in_luma_samples.value, SubHeightC(), conf_win_top_offset.value,
                         conf_win_bottom_offset.value);
}

double seq_parameter_set_rbsp::frame_rate() const {
    if (!read_through_timing || !vui || !vui->vui_timing_info_present_flag.value) return -1.0;
    return vui->vui_timing.picture_rate();
}

bool seq_parameter_set_rbsp::pictures_are_fields() const { return vui && vui->field_seq_flag.value; }

void seq_parameter_set_rbsp::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(sps_video_parameter_set_id, 4);
    read_at_most(reader, sps_max_sub_layers_minus1, 3, largest_max_sub_layers_minus1);
    reader.read(sps_temporal_id_nesting_flag, 1);
    if (!reader.ran_out()) profile.parse(reader, true, sps_max_sub_layers_minus1.value);
    read_ue_at_most(reader, sps_seq_parameter_set_id, largest_seq_parameter_set_id);
    parse_picture_format(reader);
    read_through_size = !reader.ran_out();
    read_ue_at_most(reader, bit_depth_luma_minus8, largest_bit_depth_minus8);
    read_ue_at_most(reader, bit_depth_chroma_minus8, largest_bit_depth_minus8);
    read_ue_at_most(reader, log2_max_pic_order_cnt_lsb_minus4, largest_log2_max_pic_order_cnt_lsb_minus4);
    if (!reader.ran_out()) ordering.parse(reader, sps_max_sub_layers_minus1.value);
    parse_block_sizes(reader);
    parse_scaling_lists(reader);
    reader.read(amp_enabled_flag, 1);
    reader.read(sample_adaptive_offset_enabled_flag, 1);
    parse_pcm(reader);
    parse_reference_pictures(reader);
    reader.read(sps_temporal_mvp_enabled_flag, 1);
    reader.read(strong_intra_smoothing_enabled_flag, 1);
    parse_vui(reader);
    reader.read(sps_extension_present_flag, 1);
    if (!sps_extension_present_flag.value) reader.read(rbsp_stop_one_bit, 1);
    read_to_end = !reader.ran_out() && !sps_extension_present_flag.value && rbsp_stop_one_bit.value == 1;
    span = reader.whole_span();
}

void seq_parameter_set_rbsp::parse_picture_format(BoundedReader& reader) {
    read_ue_at_most(reader, chroma_format_idc, largest_chroma_format_idc);
    if (chroma_format_idc.value == 3) reader.read(separate_colour_plane_flag, 1);
    reader.read_ue(pic_width_in_luma_samples);
    reader.read_ue(pic_height_in_luma_samples);
    reader.read(conformance_window_flag, 1);
    if (conformance_window_flag.value) {
        reader.read_ue(conf_win_left_offset);
        reader.read_ue(conf_win_right_offset);
        reader.read_ue(conf_win_top_offset);
        reader.read_ue(conf_win_bottom_offset);
    }
}

void seq_parameter_set_rbsp::parse_block_sizes(BoundedReader& reader) {
    reader.read_ue(log2_min_luma_coding_block_size_minus3);
    reader.read_ue(log2_diff_max_min_luma_coding_block_size);
    reader.read_ue(log2_min_luma_transform_block_size_minus2);
    reader.read_ue(log2_diff_max_min_luma_transform_block_size);
    reader.read_ue(max_transform_hierarchy_depth_inter);
    reader.read_ue(max_transform_hierarchy_depth_intra);
}

void seq_parameter_set_rbsp::parse_scaling_lists(BoundedReader& reader) {
    reader.read(scaling_list_enabled_flag, 1);
    if (!scaling_list_enabled_flag.value) return;
    reader.read(sps_scaling_list_data_present_flag, 1);
    if (reader.ran_out() || !sps_scaling_list_data_present_flag.value) return;
    scaling_lists = std::make_unique<scaling_list_data>();
    scaling_lists->parse(reader);
}

void seq_parameter_set_rbsp::parse_pcm(BoundedReader& reader) {
    reader.read(pcm_enabled_flag, 1);
    if (!pcm_enabled_flag.value) return;
    reader.read(pcm_sample_bit_depth_luma_minus1, 4);
    reader.read(pcm_sample_bit_depth_chroma_minus1, 4);
    reader.read_ue(log2_min_pcm_luma_coding_block_size_minus3);
    reader.read_ue(log2_diff_max_min_pcm_luma_coding_block_size);
    reader.read(pcm_loop_filter_disabled_flag, 1);
}

void seq_parameter_set_rbsp::parse_reference_pictures(BoundedReader& reader) {
    read_ue_at_most(reader, num_short_term_ref_pic_sets, largest_num_short_term_ref_pic_sets);
    const unsigned max_dec_pic_buffering_minus1 = ordering.highest_max_dec_pic_buffering_minus1();
    for (std::uint32_t i = 0; i < num_short_term_ref_pic_sets.value && !reader.ran_out(); ++i) {
        st_ref_pic_set set;
        set.parse(reader, st_ref_pic_sets, num_short_term_ref_pic_sets.value, max_dec_pic_buffering_minus1);
        st_ref_pic_sets.push_back(std::move(set));
    }
    reader.read(long_term_ref_pics_present_flag, 1);
    if (!long_term_ref_pics_present_flag.value) return;
    read_ue_at_most(reader, num_long_term_ref_pics_sps, largest_num_long_term_ref_pics_sps);
    const int lsb_bits = static_cast<int>(log2_max_pic_order_cnt_lsb_minus4.value) + 4;
    for (std::uint32_t i = 0; i < num_long_term_ref_pics_sps.value && !reader.ran_out(); ++i) {
        long_term_ref_pic picture;
        reader.read(picture.lt_ref_pic_poc_lsb_sps, lsb_bits);
        reader.read(picture.used_by_curr_pic_lt_sps_flag, 1);
        if (!reader.ran_out()) long_term_ref_pics.push_back(picture);
    }
}

void seq_parameter_set_rbsp::parse_vui(BoundedReader& reader) {
    reader.read(vui_parameters_present_flag, 1);
    if (reader.ran_out()) return;
    if (vui_parameters_present_flag.value) {
        vui = std::make_unique<vui_parameters>();
        vui->parse(reader, sps_max_sub_layers_minus1.value);
        read_through_timing = vui->read_through_timing;
    } else {
        read_through_timing = true;
    }
}

void seq_parameter_set_rbsp::dump(const LineSink& sink) const {
    print_line(sink, "sps_video_parameter_set_id: %u", sps_video_parameter_set_id.value);
    print_line(sink, "sps_max_sub_layers_minus1: %u", sps_max_sub_layers_minus1.value);
    print_line(sink, "sps_temporal_id_nesting_flag: %s", yes_no(sps_temporal_id_nesting_flag.value));
    profile.dump(sink);
    print_line(sink, "sps_seq_parameter_set_id: %u", sps_seq_parameter_set_id.value);
    dump_picture_format(sink);
    ordering.dump(sink, "sps");
    dump_block_sizes(sink);
    print_line(sink, "amp_enabled_flag: %s", yes_no(amp_enabled_flag.value));
    print_line(sink, "sample_adaptive_offset_enabled_flag: %s", yes_no(sample_adaptive_offset_enabled_flag.value));
    dump_pcm(sink);
    dump_reference_pictures(sink);
    print_line(sink, "sps_temporal_mvp_enabled_flag: %s", yes_no(sps_temporal_mvp_enabled_flag.value));
    print_line(sink, "strong_intra_smoothing_enabled_flag: %s", yes_no(strong_intra_smoothing_enabled_flag.value));
    print_line(sink, "vui_parameters_present_flag: %s", yes_no(vui_parameters_present_flag.value));
    if (vui) vui->dump(sink);
    print_line(sink, "sps_extension_present_flag: %s", yes_no(sps_extension_present_flag.value));
    dump_derived_values(sink);
}

void seq_parameter_set_rbsp::dump_picture_format(const LineSink& sink) const {
    print_line(sink, "chroma_format_idc: %u (%s)", chroma_format_idc.value,
               nal::chroma_format_idc_text(chroma_format_idc.value).c_str());
    if (chroma_format_idc.value == 3) {
        print_line(sink, "separate_colour_plane_flag: %s", yes_no(separate_colour_plane_flag.value));
    }
    print_line(sink, "pic_width_in_luma_samples: %u", pic_width_in_luma_samples.value);
    print_line(sink, "pic_height_in_luma_samples: %u", pic_height_in_luma_samples.value);
    print_line(sink, "conformance_window_flag: %s", yes_no(conformance_window_flag.value));
    if (conformance_window_flag.value) {
        print_line(sink, "conf_win_left_offset: %u", conf_win_left_offset.value);
        print_line(sink, "conf_win_right_offset: %u", conf_win_right_offset.value);
        print_line(sink, "conf_win_top_offset: %u", conf_win_top_offset.value);
        print_line(sink, "conf_win_bottom_offset: %u", conf_win_bottom_offset.value);
    }
    print_line(sink, "bit_depth_luma_minus8: %u", bit_depth_luma_minus8.value);
    print_line(sink, "bit_depth_chroma_minus8: %u", bit_depth_chroma_minus8.value);
    print_line(sink, "log2_max_pic_order_cnt_lsb_minus4: %u", log2_max_pic_order_cnt_lsb_minus4.value);
}

void seq_parameter_set_rbsp::dump_block_sizes(const LineSink& sink) const {
    print_line(sink, "log2_min_luma_coding_block_size_minus3: %u", log2_min_luma_coding_block_size_minus3.value);
    print_line(sink, "log2_diff_max_min_luma_coding_block_size: %u", log2_diff_max_min_luma_coding_block_size.value);
    print_line(sink, "log2_min_luma_transform_block_size_minus2: %u", log2_min_luma_transform_block_size_minus2.value);
    print_line(sink, "log2_diff_max_min_luma_transform_block_size: %u",
               log2_diff_max_min_luma_transform_block_size.value);
    print_line(sink, "max_transform_hierarchy_depth_inter: %u", max_transform_hierarchy_depth_inter.value);
    print_line(sink, "max_transform_hierarchy_depth_intra: %u", max_transform_hierarchy_depth_intra.value);
    print_line(sink, "scaling_list_enabled_flag: %s", yes_no(scaling_list_enabled_flag.value));
    if (!scaling_list_enabled_flag.value) return;
    print_line(sink, "sps_scaling_list_data_present_flag: %s", yes_no(sps_scaling_list_data_present_flag.value));
    if (scaling_lists) scaling_lists->dump(sink);
}

void seq_parameter_set_rbsp::dump_pcm(const LineSink& sink) const {
    print_line(sink, "pcm_enabled_flag: %s", yes_no(pcm_enabled_flag.value));
    if (!pcm_enabled_flag.value) return;
    print_line(sink, "pcm_sample_bit_depth_luma_minus1: %u", pcm_sample_bit_depth_luma_minus1.value);
    print_line(sink, "pcm_sample_bit_depth_chroma_minus1: %u", pcm_sample_bit_depth_chroma_minus1.value);
    print_line(sink, "log2_min_pcm_luma_coding_block_size_minus3: %u",
               log2_min_pcm_luma_coding_block_size_minus3.value);
    print_line(sink, "log2_diff_max_min_pcm_luma_coding_block_size: %u",
               log2_diff_max_min_pcm_luma_coding_block_size.value);
    print_line(sink, "pcm_loop_filter_disabled_flag: %s", yes_no(pcm_loop_filter_disabled_flag.value));
}

void seq_parameter_set_rbsp::dump_reference_pictures(const LineSink& sink) const {
    print_line(sink, "num_short_term_ref_pic_sets: %u", num_short_term_ref_pic_sets.value);
    for (const st_ref_pic_set& set : st_ref_pic_sets) {
        print_line(sink, "st_ref_pic_set(%u):", set.stRpsIdx);
        set.dump(indented(sink));
    }
    print_line(sink, "long_term_ref_pics_present_flag: %s", yes_no(long_term_ref_pics_present_flag.value));
    if (!long_term_ref_pics_present_flag.value) return;
    print_line(sink, "num_long_term_ref_pics_sps: %u", num_long_term_ref_pics_sps.value);
    for (std::size_t i = 0; i < long_term_ref_pics.size(); ++i) {
        print_line(sink, "lt_ref_pic_poc_lsb_sps[%zu]: %u", i, long_term_ref_pics[i].lt_ref_pic_poc_lsb_sps.value);
        print_line(sink, "used_by_curr_pic_lt_sps_flag[%zu]: %s", i,
                   yes_no(long_term_ref_pics[i].used_by_curr_pic_lt_sps_flag.value));
    }
}

void seq_parameter_set_rbsp::dump_derived_values(const LineSink& sink) const {
    const char* picture = pictures_are_fields() ? "Field" : "Frame";
    if (width() > 0 && height() > 0) {
        print_line(sink, "%s size: %d x %d", picture, width(), height());
    } else {
        print_line(sink, "%s size: not determined", picture);
    }
    if (frame_rate() > 0) {
        print_line(sink, "%s rate: %.6g %s per second", picture, frame_rate(),
                   pictures_are_fields() ? "fields" : "frames");
    } else {
        print_line(sink, "%s rate: not determined", picture);
    }
}

}  // namespace cut2edl::hevc
