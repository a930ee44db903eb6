#include "nal/h264/seq_parameter_set_rbsp.h"

#include <algorithm>
#include <climits>

#include "nal/emulation_prevention.h"
#include "mpeg/video_profile_text.h"
#include "nal/nal_unit.h"
#include "nal/ranged_read.h"
#include "nal/value_text.h"

namespace cut2edl::h264 {

namespace {

constexpr std::uint32_t largest_seq_parameter_set_id = 31;
constexpr std::uint32_t largest_chroma_format_idc = 3;
constexpr std::uint32_t largest_bit_depth_minus8 = 6;
constexpr std::uint32_t largest_log2_minus4 = 12;
constexpr std::uint32_t largest_pic_order_cnt_type = 2;
constexpr std::uint32_t largest_num_ref_frames_in_pic_order_cnt_cycle = 255;
constexpr unsigned chroma_444 = 3;
constexpr int lists_4x4 = 6;
constexpr int lists_without_444 = 8;
constexpr int lists_with_444 = 12;
constexpr int size_4x4 = 16;
constexpr int size_8x8 = 64;
constexpr int macroblock_size = 16;

// A size in luma samples from the coded macroblocks less the cropped units;
// -1 when the fields give none that is positive and fits.
int cropped_size(std::uint32_t mbs_minus1, unsigned mbs_per_unit, unsigned crop_unit, std::uint32_t first_offset,
                 std::uint32_t second_offset) {
    const long long coded = (static_cast<long long>(mbs_minus1) + 1) * mbs_per_unit * macroblock_size;
    const long long offsets = static_cast<long long>(first_offset) + second_offset;
    const long long cropped = static_cast<long long>(crop_unit) * offsets;
    const long long size = coded - cropped;
    return size > 0 && size <= INT_MAX ? static_cast<int>(size) : -1;
}

const char* default_list_name(std::size_t i) {
    // 4x4: Y, Cb, Cr intra, then inter; 8x8: intra and inter alternate.
    if (i < lists_4x4) return i < 3 ? "Default_4x4_Intra" : "Default_4x4_Inter";
    return (i - lists_4x4) % 2 == 0 ? "Default_8x8_Intra" : "Default_8x8_Inter";
}

}  // namespace

bool seq_parameter_set_rbsp::has_chroma_format() const {
    constexpr unsigned profiles[] = {100, 110, 122, 244, 44, 83, 86, 118, 128, 138, 139, 134, 135};
    return std::ranges::find(profiles, profile_idc.value) != std::end(profiles);
}

unsigned seq_parameter_set_rbsp::ChromaArrayType() const {
    return separate_colour_plane_flag.value ? 0 : chroma_format_idc.value;
}

unsigned seq_parameter_set_rbsp::CropUnitX() const {
    const unsigned SubWidthC = chroma_format_idc.value == chroma_444 ? 1 : 2;
    return ChromaArrayType() == 0 ? 1 : SubWidthC;
}

unsigned seq_parameter_set_rbsp::CropUnitY() const {
    const unsigned SubHeightC = chroma_format_idc.value == 1 ? 2 : 1;
    const unsigned field_factor = 2 - frame_mbs_only_flag.value;
    return ChromaArrayType() == 0 ? field_factor : SubHeightC * field_factor;
}

int seq_parameter_set_rbsp::width() const {
    if (!read_through_size) return -1;
    return cropped_size(pic_width_in_mbs_minus1.value, 1, CropUnitX(), frame_crop_left_offset.value,
                        frame_crop_right_offset.value);
}

int seq_parameter_set_rbsp::height() const {
    if (!read_through_size) return -1;
    return cropped_size(pic_height_in_map_units_minus1.value, 2 - frame_mbs_only_flag.value, CropUnitY(),
                        frame_crop_top_offset.value, frame_crop_bottom_offset.value);
}

double seq_parameter_set_rbsp::frame_rate() const {
    if (!read_through_timing || !vui || !vui->timing_info_present_flag.value) return -1.0;
    const std::uint32_t ticks = vui->num_units_in_tick.value;
    const std::uint32_t scale = vui->time_scale.value;
    if (ticks == 0 || scale == 0) return -1.0;
    return static_cast<double>(scale) / (2.0 * static_cast<double>(ticks));
}

void seq_parameter_set_rbsp::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(profile_idc, 8);
    reader.read(constraint_set0_flag, 1);
    reader.read(constraint_set1_flag, 1);
    reader.read(constraint_set2_flag, 1);
    reader.read(constraint_set3_flag, 1);
    reader.read(constraint_set4_flag, 1);
    reader.read(constraint_set5_flag, 1);
    reader.read(reserved_zero_2bits, 2);
    reader.read(level_idc, 8);
    read_ue_at_most(reader, seq_parameter_set_id, largest_seq_parameter_set_id);
    if (has_chroma_format()) parse_chroma_format(reader);
    read_ue_at_most(reader, log2_max_frame_num_minus4, largest_log2_minus4);
    parse_pic_order_cnt(reader);
    parse_frame_size(reader);
    read_through_size = !reader.ran_out();
    parse_vui(reader);
    reader.read(rbsp_stop_one_bit, 1);
    read_to_end = !reader.ran_out() && rbsp_stop_one_bit.value == 1;
    span = reader.whole_span();
}

void seq_parameter_set_rbsp::parse_chroma_format(BoundedReader& reader) {
    read_ue_at_most(reader, chroma_format_idc, largest_chroma_format_idc);
    if (chroma_format_idc.value == chroma_444) reader.read(separate_colour_plane_flag, 1);
    read_ue_at_most(reader, bit_depth_luma_minus8, largest_bit_depth_minus8);
    read_ue_at_most(reader, bit_depth_chroma_minus8, largest_bit_depth_minus8);
    reader.read(qpprime_y_zero_transform_bypass_flag, 1);
    reader.read(seq_scaling_matrix_present_flag, 1);
    if (seq_scaling_matrix_present_flag.value) parse_scaling_matrix(reader);
}

void seq_parameter_set_rbsp::parse_scaling_matrix(BoundedReader& reader) {
    const int lists = chroma_format_idc.value != chroma_444 ? lists_without_444 : lists_with_444;
    for (int i = 0; i < lists && !reader.ran_out(); ++i) {
        Field<std::uint8_t>& present = seq_scaling_list_present_flag.emplace_back();
        reader.read(present, 1);
        scaling_list& list = scaling_lists.emplace_back();
        if (present.value) list.parse(reader, i < lists_4x4 ? size_4x4 : size_8x8);
    }
}

void seq_parameter_set_rbsp::parse_pic_order_cnt(BoundedReader& reader) {
    read_ue_at_most(reader, pic_order_cnt_type, largest_pic_order_cnt_type);
    if (reader.ran_out()) return;
    if (pic_order_cnt_type.value == 0) {
        read_ue_at_most(reader, log2_max_pic_order_cnt_lsb_minus4, largest_log2_minus4);
    } else if (pic_order_cnt_type.value == 1) {
        reader.read(delta_pic_order_always_zero_flag, 1);
        reader.read_se(offset_for_non_ref_pic);
        reader.read_se(offset_for_top_to_bottom_field);
        read_ue_at_most(reader, num_ref_frames_in_pic_order_cnt_cycle, largest_num_ref_frames_in_pic_order_cnt_cycle);
        for (std::uint32_t i = 0; i < num_ref_frames_in_pic_order_cnt_cycle.value && !reader.ran_out(); ++i) {
            Field<std::int32_t> offset;
            reader.read_se(offset);
            if (!reader.ran_out()) offset_for_ref_frame.push_back(offset);
        }
    }
}

void seq_parameter_set_rbsp::parse_frame_size(BoundedReader& reader) {
    reader.read_ue(max_num_ref_frames);
    reader.read(gaps_in_frame_num_value_allowed_flag, 1);
    reader.read_ue(pic_width_in_mbs_minus1);
    reader.read_ue(pic_height_in_map_units_minus1);
    reader.read(frame_mbs_only_flag, 1);
    if (!frame_mbs_only_flag.value) reader.read(mb_adaptive_frame_field_flag, 1);
    reader.read(direct_8x8_inference_flag, 1);
    reader.read(frame_cropping_flag, 1);
    if (frame_cropping_flag.value) {
        reader.read_ue(frame_crop_left_offset);
        reader.read_ue(frame_crop_right_offset);
        reader.read_ue(frame_crop_top_offset);
        reader.read_ue(frame_crop_bottom_offset);
    }
}

void seq_parameter_set_rbsp::parse_vui(BoundedReader& reader) {
    reader.read(vui_parameters_present_flag, 1);
    if (reader.ran_out()) return;
    if (vui_parameters_present_flag.value) {
        vui = std::make_unique<vui_parameters>();
        vui->parse(reader);
        read_through_timing = vui->read_through_timing;
    } else {
        read_through_timing = true;
    }
}

void seq_parameter_set_rbsp::dump(const LineSink& sink) const {
    print_line(sink, "profile_idc: %u (%s)", profile_idc.value, h264_profile_idc_text(profile_idc.value).c_str());
    print_constraint_set_flags(sink, {constraint_set0_flag.value, constraint_set1_flag.value, constraint_set2_flag.value,
                                      constraint_set3_flag.value, constraint_set4_flag.value, constraint_set5_flag.value});
    print_line(sink, "level_idc: %u", level_idc.value);
    print_line(sink, "seq_parameter_set_id: %u", seq_parameter_set_id.value);
    if (has_chroma_format()) dump_chroma_format(sink);
    print_line(sink, "log2_max_frame_num_minus4: %u", log2_max_frame_num_minus4.value);
    dump_pic_order_cnt(sink);
    dump_frame_size(sink);
    print_line(sink, "vui_parameters_present_flag: %s", yes_no(vui_parameters_present_flag.value));
    if (vui) vui->dump(sink);
    dump_derived_values(sink);
}

void seq_parameter_set_rbsp::dump_chroma_format(const LineSink& sink) const {
    print_line(sink, "chroma_format_idc: %u (%s)", chroma_format_idc.value,
               nal::chroma_format_idc_text(chroma_format_idc.value).c_str());
    if (chroma_format_idc.value == chroma_444) {
        print_line(sink, "separate_colour_plane_flag: %s", yes_no(separate_colour_plane_flag.value));
    }
    print_line(sink, "bit_depth_luma_minus8: %u", bit_depth_luma_minus8.value);
    print_line(sink, "bit_depth_chroma_minus8: %u", bit_depth_chroma_minus8.value);
    print_line(sink, "qpprime_y_zero_transform_bypass_flag: %s", yes_no(qpprime_y_zero_transform_bypass_flag.value));
    print_line(sink, "seq_scaling_matrix_present_flag: %s", yes_no(seq_scaling_matrix_present_flag.value));
    dump_scaling_matrix(sink);
}

void seq_parameter_set_rbsp::dump_scaling_matrix(const LineSink& sink) const {
    for (std::size_t i = 0; i < seq_scaling_list_present_flag.size(); ++i) {
        print_line(sink, "seq_scaling_list_present_flag[%zu]: %s", i, yes_no(seq_scaling_list_present_flag[i].value));
        if (!seq_scaling_list_present_flag[i].value) continue;
        const std::string name = i < lists_4x4 ? format_text("ScalingList4x4[%zu]", i)
                                               : format_text("ScalingList8x8[%zu]", i - lists_4x4);
        scaling_lists[i].dump(sink, name.c_str(), default_list_name(i));
    }
}

void seq_parameter_set_rbsp::dump_pic_order_cnt(const LineSink& sink) const {
    print_line(sink, "pic_order_cnt_type: %u", pic_order_cnt_type.value);
    if (pic_order_cnt_type.value == 0) {
        print_line(sink, "log2_max_pic_order_cnt_lsb_minus4: %u", log2_max_pic_order_cnt_lsb_minus4.value);
    } else if (pic_order_cnt_type.value == 1) {
        print_line(sink, "delta_pic_order_always_zero_flag: %s", yes_no(delta_pic_order_always_zero_flag.value));
        print_line(sink, "offset_for_non_ref_pic: %d", offset_for_non_ref_pic.value);
        print_line(sink, "offset_for_top_to_bottom_field: %d", offset_for_top_to_bottom_field.value);
        print_line(sink, "num_ref_frames_in_pic_order_cnt_cycle: %u", num_ref_frames_in_pic_order_cnt_cycle.value);
        for (std::size_t i = 0; i < offset_for_ref_frame.size(); ++i) {
            print_line(sink, "offset_for_ref_frame[%zu]: %d", i, offset_for_ref_frame[i].value);
        }
    }
}

void seq_parameter_set_rbsp::dump_frame_size(const LineSink& sink) const {
    print_line(sink, "max_num_ref_frames: %u", max_num_ref_frames.value);
    print_line(sink, "gaps_in_frame_num_value_allowed_flag: %s", yes_no(gaps_in_frame_num_value_allowed_flag.value));
    print_line(sink, "pic_width_in_mbs_minus1: %u", pic_width_in_mbs_minus1.value);
    print_line(sink, "pic_height_in_map_units_minus1: %u", pic_height_in_map_units_minus1.value);
    print_line(sink, "frame_mbs_only_flag: %s", yes_no(frame_mbs_only_flag.value));
    if (!frame_mbs_only_flag.value) {
        print_line(sink, "mb_adaptive_frame_field_flag: %s", yes_no(mb_adaptive_frame_field_flag.value));
    }
    print_line(sink, "direct_8x8_inference_flag: %s", yes_no(direct_8x8_inference_flag.value));
    print_line(sink, "frame_cropping_flag: %s", yes_no(frame_cropping_flag.value));
    if (frame_cropping_flag.value) {
        print_line(sink, "frame_crop_left_offset: %u", frame_crop_left_offset.value);
        print_line(sink, "frame_crop_right_offset: %u", frame_crop_right_offset.value);
        print_line(sink, "frame_crop_top_offset: %u", frame_crop_top_offset.value);
        print_line(sink, "frame_crop_bottom_offset: %u", frame_crop_bottom_offset.value);
    }
}

void seq_parameter_set_rbsp::dump_derived_values(const LineSink& sink) const {
    if (width() > 0 && height() > 0) {
        print_line(sink, "Frame size: %d x %d", width(), height());
    } else {
        print_line(sink, "Frame size: not determined");
    }
    if (frame_rate() > 0) {
        print_line(sink, "Frame rate: %.6g frames per second", frame_rate());
    } else {
        print_line(sink, "Frame rate: not determined");
    }
}

std::unique_ptr<seq_parameter_set_rbsp> find_seq_parameter_set(const std::uint8_t* data, int length,
                                                                int first_position) {
    for (NalUnit unit = find_nal_unit(data, length, 0); unit.found(); unit = find_nal_unit(data, length, unit.end())) {
        if (nal_unit_type_of(data[unit.offset]) != nal_unit_type_seq_parameter_set) continue;
        return parse_rbsp<seq_parameter_set_rbsp>(data + unit.offset, unit.length, nal_unit_header_bytes,
                                                  first_position);
    }
    return nullptr;
}

}  // namespace cut2edl::h264
