#include "nal/hevc/sub_layer_hrd_parameters.h"

namespace cut2edl::hevc {

void sub_layer_hrd_parameters::parse(BoundedReader& reader, unsigned CpbCnt, bool sub_pic_hrd_params_present_flag) {
    sub_pic_hrd_params_present = sub_pic_hrd_params_present_flag;
    for (unsigned i = 0; i < CpbCnt && !reader.ran_out(); ++i) {
        schedule entry;
        reader.read_ue(entry.bit_rate_value_minus1);
        reader.read_ue(entry.cpb_size_value_minus1);
        if (sub_pic_hrd_params_present_flag) {
            reader.read_ue(entry.cpb_size_du_value_minus1);
            reader.read_ue(entry.bit_rate_du_value_minus1);
        }
        reader.read(entry.cbr_flag, 1);
        if (!reader.ran_out()) schedules.push_back(entry);
    }
}

void sub_layer_hrd_parameters::dump(const LineSink& sink) const {
    for (std::size_t i = 0; i < schedules.size(); ++i) {
        const schedule& entry = schedules[i];
        print_line(sink, "bit_rate_value_minus1[%zu]: %u", i, entry.bit_rate_value_minus1.value);
        print_line(sink, "cpb_size_value_minus1[%zu]: %u", i, entry.cpb_size_value_minus1.value);
        if (sub_pic_hrd_params_present) {
            print_line(sink, "cpb_size_du_value_minus1[%zu]: %u", i, entry.cpb_size_du_value_minus1.value);
            print_line(sink, "bit_rate_du_value_minus1[%zu]: %u", i, entry.bit_rate_du_value_minus1.value);
        }
        print_line(sink, "cbr_flag[%zu]: %s", i, yes_no(entry.cbr_flag.value));
    }
}

}  // namespace cut2edl::hevc
