#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"
#include "nal/h264/scaling_list.h"
#include "nal/h264/vui_parameters.h"

namespace cut2edl::h264 {

// seq_parameter_set_rbsp() (NAL unit type 7): profile and level, chroma
// format, bit depths and scaling lists of the high profiles, frame numbering
// and picture order count, the picture size in macroblocks with its cropping,
// and the VUI.
//
// A value beyond what the standard allows (an Exp-Golomb code with more than
// 31 leading zeros, a count or identifier above its limit) or the end of the
// buffer ends the parse: the fields read so far stay, the rest keep their
// initial values, and the read_through_* flags tell how far it got.
class seq_parameter_set_rbsp {
public:
    // Parses the RBSP at `data`: the bytes behind the NAL unit header, with
    // the emulation prevention bytes removed. Spans are taken on, and
    // `*position` advanced by, the bytes it consumes.
    void parse(const std::uint8_t* data, int length, int* position);
    void dump(const LineSink& sink) const;

    // Whether the profiles' branch with chroma_format_idc and the scaling lists is present.
    bool has_chroma_format() const;
    unsigned ChromaArrayType() const;
    unsigned CropUnitX() const;
    unsigned CropUnitY() const;

    // The cropped frame size in luma samples; -1 unless every field up to the
    // cropping offsets was read (read_through_size) and the size is positive.
    int width() const;
    int height() const;
    // Frames per second, time_scale / (2 x num_units_in_tick), whatever
    // fixed_frame_rate_flag says; -1.0 (undetermined) without timing
    // information, with a zero num_units_in_tick or time_scale, or unless the
    // parse got through the timing fields.
    double frame_rate() const;
    bool complete_through_timing() const { return read_through_timing; }

    // Every field up to and including the cropping offsets was read.
    bool read_through_size = false;
    // ... and further up to and including the VUI's timing fields (or the
    // flag saying there is no VUI, or no timing information).
    bool read_through_timing = false;
    // ... and the whole RBSP up to its stop bit.
    bool read_to_end = false;

    field_span span = 0;
    Field<std::uint8_t> profile_idc;
    Field<std::uint8_t> constraint_set0_flag;
    Field<std::uint8_t> constraint_set1_flag;
    Field<std::uint8_t> constraint_set2_flag;
    Field<std::uint8_t> constraint_set3_flag;
    Field<std::uint8_t> constraint_set4_flag;
    Field<std::uint8_t> constraint_set5_flag;
    Field<std::uint8_t> reserved_zero_2bits;
    Field<std::uint8_t> level_idc;
    Field<std::uint32_t> seq_parameter_set_id;
    // 1 (4:2:0) when absent, as the profiles without it infer.
    Field<std::uint32_t> chroma_format_idc{1, 0};
    Field<std::uint8_t> separate_colour_plane_flag;
    Field<std::uint32_t> bit_depth_luma_minus8;
    Field<std::uint32_t> bit_depth_chroma_minus8;
    Field<std::uint8_t> qpprime_y_zero_transform_bypass_flag;
    Field<std::uint8_t> seq_scaling_matrix_present_flag;
    // Entries 0-5 announce the 4x4 lists, 6-11 the 8x8 ones; as many as were read.
    std::vector<Field<std::uint8_t>> seq_scaling_list_present_flag;
    // One per present flag, empty where the flag is 0.
    std::vector<scaling_list> scaling_lists;
    Field<std::uint32_t> log2_max_frame_num_minus4;
    Field<std::uint32_t> pic_order_cnt_type;
    Field<std::uint32_t> log2_max_pic_order_cnt_lsb_minus4;
    Field<std::uint8_t> delta_pic_order_always_zero_flag;
    Field<std::int32_t> offset_for_non_ref_pic;
    Field<std::int32_t> offset_for_top_to_bottom_field;
    Field<std::uint32_t> num_ref_frames_in_pic_order_cnt_cycle;
    std::vector<Field<std::int32_t>> offset_for_ref_frame;  // as many as were read
    Field<std::uint32_t> max_num_ref_frames;
    Field<std::uint8_t> gaps_in_frame_num_value_allowed_flag;
    Field<std::uint32_t> pic_width_in_mbs_minus1;
    Field<std::uint32_t> pic_height_in_map_units_minus1;
    Field<std::uint8_t> frame_mbs_only_flag;
    Field<std::uint8_t> mb_adaptive_frame_field_flag;
    Field<std::uint8_t> direct_8x8_inference_flag;
    Field<std::uint8_t> frame_cropping_flag;
    Field<std::uint32_t> frame_crop_left_offset;
    Field<std::uint32_t> frame_crop_right_offset;
    Field<std::uint32_t> frame_crop_top_offset;
    Field<std::uint32_t> frame_crop_bottom_offset;
    Field<std::uint8_t> vui_parameters_present_flag;
    std::unique_ptr<vui_parameters> vui;
    Field<std::uint8_t> rbsp_stop_one_bit;

private:
    void parse_chroma_format(BoundedReader& reader);
    void parse_scaling_matrix(BoundedReader& reader);
    void parse_pic_order_cnt(BoundedReader& reader);
    void parse_frame_size(BoundedReader& reader);
    void parse_vui(BoundedReader& reader);
    void dump_chroma_format(const LineSink& sink) const;
    void dump_scaling_matrix(const LineSink& sink) const;
    void dump_pic_order_cnt(const LineSink& sink) const;
    void dump_frame_size(const LineSink& sink) const;
    void dump_derived_values(const LineSink& sink) const;
};

// The NAL unit header is one byte; nal_unit_type is its low five bits.
constexpr int nal_unit_header_bytes = 1;
constexpr unsigned nal_unit_type_of(std::uint8_t nal_unit_header_byte) { return nal_unit_header_byte & 0x1Fu; }
constexpr unsigned nal_unit_type_seq_parameter_set = 7;

// The first sequence parameter set among the NAL units of a buffer of video
// PES packet bytes (as find_nal_unit walks them), parsed from its RBSP with
// spans counted from `first_position` on the unescaped bytes; nullptr when the
// buffer holds none. A parameter set that the buffer's end cuts off comes back
// incomplete (see complete_through_timing).
std::unique_ptr<seq_parameter_set_rbsp> find_seq_parameter_set(const std::uint8_t* data, int length,
                                                                int first_position = 0);

}  // namespace cut2edl::h264
