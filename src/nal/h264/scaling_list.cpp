#include "nal/h264/scaling_list.h"

#include "nal/ranged_read.h"

namespace cut2edl::h264 {

namespace {

constexpr int initial_scale = 8;
constexpr int scale_range = 256;
constexpr std::int32_t smallest_delta_scale = -128;
constexpr std::int32_t largest_delta_scale = 127;

}  // namespace

void scaling_list::parse(BoundedReader& reader, int sizeOfScalingList) {
    int lastScale = initial_scale;
    int nextScale = initial_scale;
    for (int j = 0; j < sizeOfScalingList; ++j) {
        if (nextScale != 0) {
            Field<std::int32_t> delta;
            read_se_within(reader, delta, smallest_delta_scale, largest_delta_scale);
            if (reader.ran_out()) return;
            delta_scale.push_back(delta);
            nextScale = (lastScale + delta.value + scale_range) % scale_range;
            useDefaultScalingMatrixFlag = j == 0 && nextScale == 0;
        }
        const int scale = nextScale == 0 ? lastScale : nextScale;
        weights.push_back(static_cast<std::uint8_t>(scale));
        lastScale = scale;
    }
}

void scaling_list::dump(const LineSink& sink, const char* name, const char* default_name) const {
    if (useDefaultScalingMatrixFlag) {
        print_line(sink, "%s: %s", name, default_name);
        return;
    }
    std::string line = name;
    line += ":";
    for (const std::uint8_t weight : weights) append_text(line, " %u", weight);
    sink(line);
}

}  // namespace cut2edl::h264
