#include "nal/h264/hrd_parameters.h"

#include "nal/ranged_read.h"

namespace cut2edl::h264 {

namespace {

constexpr std::uint32_t largest_cpb_cnt_minus1 = 31;

}  // namespace

void hrd_parameters::parse(BoundedReader& reader) {
    const int first = reader.byte_position();
    read_ue_at_most(reader, cpb_cnt_minus1, largest_cpb_cnt_minus1);
    reader.read(bit_rate_scale, 4);
    reader.read(cpb_size_scale, 4);
    for (std::uint32_t SchedSelIdx = 0; SchedSelIdx <= cpb_cnt_minus1.value && !reader.ran_out(); ++SchedSelIdx) {
        schedule entry;
        reader.read_ue(entry.bit_rate_value_minus1);
        reader.read_ue(entry.cpb_size_value_minus1);
        reader.read(entry.cbr_flag, 1);
        if (!reader.ran_out()) schedules.push_back(entry);
    }
    reader.read(initial_cpb_removal_delay_length_minus1, 5);
    reader.read(cpb_removal_delay_length_minus1, 5);
    reader.read(dpb_output_delay_length_minus1, 5);
    reader.read(time_offset_length, 5);
    span = reader.span_of(first, reader.consumed() - 1);
}

void hrd_parameters::dump(const LineSink& sink) const {
    print_line(sink, "cpb_cnt_minus1: %u", cpb_cnt_minus1.value);
    print_line(sink, "bit_rate_scale: %u", bit_rate_scale.value);
    print_line(sink, "cpb_size_scale: %u", cpb_size_scale.value);
    for (std::size_t SchedSelIdx = 0; SchedSelIdx < schedules.size(); ++SchedSelIdx) {
        const schedule& entry = schedules[SchedSelIdx];
        print_line(sink, "bit_rate_value_minus1[%zu]: %u", SchedSelIdx, entry.bit_rate_value_minus1.value);
        print_line(sink, "cpb_size_value_minus1[%zu]: %u", SchedSelIdx, entry.cpb_size_value_minus1.value);
        print_line(sink, "cbr_flag[%zu]: %s", SchedSelIdx, yes_no(entry.cbr_flag.value));
    }
    print_line(sink, "initial_cpb_removal_delay_length_minus1: %u", initial_cpb_removal_delay_length_minus1.value);
    print_line(sink, "cpb_removal_delay_length_minus1: %u", cpb_removal_delay_length_minus1.value);
    print_line(sink, "dpb_output_delay_length_minus1: %u", dpb_output_delay_length_minus1.value);
    print_line(sink, "time_offset_length: %u", time_offset_length.value);
}

}  // namespace cut2edl::h264
