#include "nal/hevc/video_parameter_set_rbsp.h"

#include <string>

#include "nal/ranged_read.h"

namespace cut2edl::hevc {

namespace {

constexpr std::uint8_t largest_max_sub_layers_minus1 = 6;
constexpr std::uint8_t largest_max_layer_id = 62;
constexpr std::uint32_t largest_num_layer_sets_minus1 = 1023;

}  // namespace

double video_parameter_set_rbsp::frame_rate() const {
    if (!read_through_timing || !vps_timing_info_present_flag.value) return -1.0;
    return vps_timing.picture_rate();
}

void video_parameter_set_rbsp::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.read(vps_video_parameter_set_id, 4);
    reader.read(vps_base_layer_internal_flag, 1);
    reader.read(vps_base_layer_available_flag, 1);
    reader.read(vps_max_layers_minus1, 6);
    read_at_most(reader, vps_max_sub_layers_minus1, 3, largest_max_sub_layers_minus1);
    reader.read(vps_temporal_id_nesting_flag, 1);
    reader.read(vps_reserved_0xffff_16bits, 16);
    if (!reader.ran_out()) profile.parse(reader, true, vps_max_sub_layers_minus1.value);
    if (!reader.ran_out()) ordering.parse(reader, vps_max_sub_layers_minus1.value);
    parse_layer_sets(reader);
    parse_timing(reader);
    read_through_timing = !reader.ran_out();
    if (vps_timing_info_present_flag.value) parse_hrd_parameters(reader);
    reader.read(vps_extension_flag, 1);
    if (!vps_extension_flag.value) reader.read(rbsp_stop_one_bit, 1);
    read_to_end = !reader.ran_out() && !vps_extension_flag.value && rbsp_stop_one_bit.value == 1;
    span = reader.whole_span();
}

void video_parameter_set_rbsp::parse_layer_sets(BoundedReader& reader) {
    read_at_most(reader, vps_max_layer_id, 6, largest_max_layer_id);
    read_ue_at_most(reader, vps_num_layer_sets_minus1, largest_num_layer_sets_minus1);
    for (std::uint32_t i = 1; i <= vps_num_layer_sets_minus1.value && !reader.ran_out(); ++i) {
        std::vector<Field<std::uint8_t>>& flags = layer_id_included_flag.emplace_back();
        for (unsigned j = 0; j <= vps_max_layer_id.value && !reader.ran_out(); ++j) {
            reader.read(flags.emplace_back(), 1);
        }
    }
}

void video_parameter_set_rbsp::parse_timing(BoundedReader& reader) {
    reader.read(vps_timing_info_present_flag, 1);
    if (vps_timing_info_present_flag.value) vps_timing.parse(reader);
}

void video_parameter_set_rbsp::parse_hrd_parameters(BoundedReader& reader) {
    read_ue_at_most(reader, vps_num_hrd_parameters, vps_num_layer_sets_minus1.value + 1);
    const std::uint32_t first_layer_set = vps_base_layer_internal_flag.value ? 0 : 1;
    for (std::uint32_t i = 0; i < vps_num_hrd_parameters.value && !reader.ran_out(); ++i) {
        layer_set_hrd entry;
        read_exp_golomb_within(reader, entry.hrd_layer_set_idx, first_layer_set, vps_num_layer_sets_minus1.value);
        if (i > 0) reader.read(entry.cprms_present_flag, 1);
        if (reader.ran_out()) return;
        if (!entry.cprms_present_flag.value)
            entry.parameters.take_common_information(hrd_parameters_of_layer_sets.back().parameters);
        entry.parameters.parse(reader, entry.cprms_present_flag.value != 0, vps_max_sub_layers_minus1.value);
        hrd_parameters_of_layer_sets.push_back(std::move(entry));
    }
}

void video_parameter_set_rbsp::dump(const LineSink& sink) const {
    print_line(sink, "vps_video_parameter_set_id: %u", vps_video_parameter_set_id.value);
    print_line(sink, "vps_base_layer_internal_flag: %s", yes_no(vps_base_layer_internal_flag.value));
    print_line(sink, "vps_base_layer_available_flag: %s", yes_no(vps_base_layer_available_flag.value));
    print_line(sink, "vps_max_layers_minus1: %u", vps_max_layers_minus1.value);
    print_line(sink, "vps_max_sub_layers_minus1: %u", vps_max_sub_layers_minus1.value);
    print_line(sink, "vps_temporal_id_nesting_flag: %s", yes_no(vps_temporal_id_nesting_flag.value));
    profile.dump(sink);
    ordering.dump(sink, "vps");
    dump_layer_sets(sink);
    dump_timing(sink);
    print_line(sink, "vps_extension_flag: %s", yes_no(vps_extension_flag.value));
    if (frame_rate() > 0) {
        print_line(sink, "Picture rate: %.6g pictures per second", frame_rate());
    } else {
        print_line(sink, "Picture rate: not determined");
    }
}

void video_parameter_set_rbsp::dump_layer_sets(const LineSink& sink) const {
    print_line(sink, "vps_max_layer_id: %u", vps_max_layer_id.value);
    print_line(sink, "vps_num_layer_sets_minus1: %u", vps_num_layer_sets_minus1.value);
    for (std::size_t i = 0; i < layer_id_included_flag.size(); ++i) {
        std::string flags;
        for (const Field<std::uint8_t>& flag : layer_id_included_flag[i]) flags += flag.value ? '1' : '0';
        print_line(sink, "layer_id_included_flag[%zu]: %s", i + 1, flags.c_str());
    }
}

void video_parameter_set_rbsp::dump_timing(const LineSink& sink) const {
    print_line(sink, "vps_timing_info_present_flag: %s", yes_no(vps_timing_info_present_flag.value));
    if (!vps_timing_info_present_flag.value) return;
    vps_timing.dump(sink, "vps");
    print_line(sink, "vps_num_hrd_parameters: %u", vps_num_hrd_parameters.value);
    for (std::size_t i = 0; i < hrd_parameters_of_layer_sets.size(); ++i) {
        const layer_set_hrd& entry = hrd_parameters_of_layer_sets[i];
        print_line(sink, "hrd_layer_set_idx[%zu]: %u", i, entry.hrd_layer_set_idx.value);
        if (i > 0) print_line(sink, "cprms_present_flag[%zu]: %s", i, yes_no(entry.cprms_present_flag.value));
        print_line(sink, "hrd_parameters(%zu):", i);
        entry.parameters.dump(indented(sink));
    }
}

}  // namespace cut2edl::hevc
