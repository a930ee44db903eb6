#include "nal/hevc/hrd_parameters.h"

#include "nal/ranged_read.h"

namespace cut2edl::hevc {

namespace {

constexpr std::uint32_t largest_elemental_duration_in_tc_minus1 = 2047;
constexpr std::uint32_t largest_cpb_cnt_minus1 = 31;

std::unique_ptr<sub_layer_hrd_parameters> parse_schedules(BoundedReader& reader, const Field<std::uint8_t>& present,
                                                          std::uint32_t cpb_cnt_minus1, bool sub_pic) {
    if (!present.value || reader.ran_out()) return nullptr;
    auto schedules = std::make_unique<sub_layer_hrd_parameters>();
    schedules->parse(reader, cpb_cnt_minus1 + 1, sub_pic);
    return schedules;
}

void dump_schedules(const LineSink& sink, const char* kind, std::size_t i,
                    const std::unique_ptr<sub_layer_hrd_parameters>& schedules) {
    if (!schedules) return;
    print_line(sink, "%s sub_layer_hrd_parameters(%zu):", kind, i);
    schedules->dump(indented(sink));
}

}  // namespace

void hrd_parameters::parse(BoundedReader& reader, bool commonInfPresentFlag, unsigned maxNumSubLayersMinus1) {
    const int first = reader.byte_position();
    common_information_present = commonInfPresentFlag;
    if (commonInfPresentFlag) parse_common_information(reader);
    for (unsigned i = 0; i <= maxNumSubLayersMinus1 && !reader.ran_out(); ++i) {
        parse_sub_layer(reader, sub_layers.emplace_back());
    }
    span = reader.span_since(first);
}

void hrd_parameters::parse_common_information(BoundedReader& reader) {
    reader.read(common.nal_hrd_parameters_present_flag, 1);
    reader.read(common.vcl_hrd_parameters_present_flag, 1);
    if (!common.nal_hrd_parameters_present_flag.value && !common.vcl_hrd_parameters_present_flag.value) return;
    reader.read(common.sub_pic_hrd_params_present_flag, 1);
    if (common.sub_pic_hrd_params_present_flag.value) {
        reader.read(common.tick_divisor_minus2, 8);
        reader.read(common.du_cpb_removal_delay_increment_length_minus1, 5);
        reader.read(common.sub_pic_cpb_params_in_pic_timing_sei_flag, 1);
        reader.read(common.dpb_output_delay_du_length_minus1, 5);
    }
    reader.read(common.bit_rate_scale, 4);
    reader.read(common.cpb_size_scale, 4);
    if (common.sub_pic_hrd_params_present_flag.value) reader.read(common.cpb_size_du_scale, 4);
    reader.read(common.initial_cpb_removal_delay_length_minus1, 5);
    reader.read(common.au_cpb_removal_delay_length_minus1, 5);
    reader.read(common.dpb_output_delay_length_minus1, 5);
}

void hrd_parameters::parse_sub_layer(BoundedReader& reader, sub_layer& layer) const {
    reader.read(layer.fixed_pic_rate_general_flag, 1);
    if (layer.fixed_pic_rate_general_flag.value) {
        layer.fixed_pic_rate_within_cvs_flag.value = 1;
    } else {
        reader.read(layer.fixed_pic_rate_within_cvs_flag, 1);
    }
    if (layer.fixed_pic_rate_within_cvs_flag.value) {
        read_ue_at_most(reader, layer.elemental_duration_in_tc_minus1, largest_elemental_duration_in_tc_minus1);
    } else {
        reader.read(layer.low_delay_hrd_flag, 1);
    }
    if (!layer.low_delay_hrd_flag.value) read_ue_at_most(reader, layer.cpb_cnt_minus1, largest_cpb_cnt_minus1);
    const bool sub_pic = common.sub_pic_hrd_params_present_flag.value != 0;
    layer.nal_sub_layer_hrd_parameters =
        parse_schedules(reader, common.nal_hrd_parameters_present_flag, layer.cpb_cnt_minus1.value, sub_pic);
    layer.vcl_sub_layer_hrd_parameters =
        parse_schedules(reader, common.vcl_hrd_parameters_present_flag, layer.cpb_cnt_minus1.value, sub_pic);
}

void hrd_parameters::dump(const LineSink& sink) const {
    if (common_information_present) dump_common_information(sink);
    for (std::size_t i = 0; i < sub_layers.size(); ++i) dump_sub_layer(sink, i, sub_layers[i]);
}

void hrd_parameters::dump_common_information(const LineSink& sink) const {
    print_line(sink, "nal_hrd_parameters_present_flag: %s", yes_no(common.nal_hrd_parameters_present_flag.value));
    print_line(sink, "vcl_hrd_parameters_present_flag: %s", yes_no(common.vcl_hrd_parameters_present_flag.value));
    if (!common.nal_hrd_parameters_present_flag.value && !common.vcl_hrd_parameters_present_flag.value) return;
    print_line(sink, "sub_pic_hrd_params_present_flag: %s", yes_no(common.sub_pic_hrd_params_present_flag.value));
    if (common.sub_pic_hrd_params_present_flag.value) {
        print_line(sink, "tick_divisor_minus2: %u", common.tick_divisor_minus2.value);
        print_line(sink, "du_cpb_removal_delay_increment_length_minus1: %u",
                   common.du_cpb_removal_delay_increment_length_minus1.value);
        print_line(sink, "sub_pic_cpb_params_in_pic_timing_sei_flag: %s",
                   yes_no(common.sub_pic_cpb_params_in_pic_timing_sei_flag.value));
        print_line(sink, "dpb_output_delay_du_length_minus1: %u", common.dpb_output_delay_du_length_minus1.value);
    }
    print_line(sink, "bit_rate_scale: %u", common.bit_rate_scale.value);
    print_line(sink, "cpb_size_scale: %u", common.cpb_size_scale.value);
    if (common.sub_pic_hrd_params_present_flag.value) {
        print_line(sink, "cpb_size_du_scale: %u", common.cpb_size_du_scale.value);
    }
    print_line(sink, "initial_cpb_removal_delay_length_minus1: %u",
               common.initial_cpb_removal_delay_length_minus1.value);
    print_line(sink, "au_cpb_removal_delay_length_minus1: %u", common.au_cpb_removal_delay_length_minus1.value);
    print_line(sink, "dpb_output_delay_length_minus1: %u", common.dpb_output_delay_length_minus1.value);
}

void hrd_parameters::dump_sub_layer(const LineSink& sink, std::size_t i, const sub_layer& layer) const {
    print_line(sink, "fixed_pic_rate_general_flag[%zu]: %s", i, yes_no(layer.fixed_pic_rate_general_flag.value));
    if (!layer.fixed_pic_rate_general_flag.value) {
        print_line(sink, "fixed_pic_rate_within_cvs_flag[%zu]: %s", i,
                   yes_no(layer.fixed_pic_rate_within_cvs_flag.value));
    }
    if (layer.fixed_pic_rate_within_cvs_flag.value) {
        print_line(sink, "elemental_duration_in_tc_minus1[%zu]: %u", i, layer.elemental_duration_in_tc_minus1.value);
    } else {
        print_line(sink, "low_delay_hrd_flag[%zu]: %s", i, yes_no(layer.low_delay_hrd_flag.value));
    }
    if (!layer.low_delay_hrd_flag.value) print_line(sink, "cpb_cnt_minus1[%zu]: %u", i, layer.cpb_cnt_minus1.value);
    dump_schedules(sink, "NAL", i, layer.nal_sub_layer_hrd_parameters);
    dump_schedules(sink, "VCL", i, layer.vcl_sub_layer_hrd_parameters);
}

}  // namespace cut2edl::hevc
