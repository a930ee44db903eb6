#include "nal/hevc/timing_info.h"

namespace cut2edl::hevc {

void timing_info::parse(BoundedReader& reader) {
    reader.read(num_units_in_tick, 32);
    reader.read(time_scale, 32);
    reader.read(poc_proportional_to_timing_flag, 1);
    if (poc_proportional_to_timing_flag.value) reader.read_ue(num_ticks_poc_diff_one_minus1);
}

double timing_info::picture_rate() const {
    if (num_units_in_tick.value == 0 || time_scale.value == 0) return -1.0;
    return static_cast<double>(time_scale.value) / static_cast<double>(num_units_in_tick.value);
}

void timing_info::dump(const LineSink& sink, const char* prefix) const {
    print_line(sink, "%s_num_units_in_tick: %u", prefix, num_units_in_tick.value);
    print_line(sink, "%s_time_scale: %u", prefix, time_scale.value);
    print_line(sink, "%s_poc_proportional_to_timing_flag: %s", prefix, yes_no(poc_proportional_to_timing_flag.value));
    if (poc_proportional_to_timing_flag.value) {
        print_line(sink, "%s_num_ticks_poc_diff_one_minus1: %u", prefix, num_ticks_poc_diff_one_minus1.value);
    }
}

}  // namespace cut2edl::hevc
