#include "nal/hevc/scaling_list_data.h"

#include <algorithm>

#include "nal/ranged_read.h"

namespace cut2edl::hevc {

namespace {

constexpr unsigned size_ids = 4;
constexpr unsigned matrix_ids = 6;
constexpr unsigned size_id_32x32 = 3;
constexpr int initial_coefficient = 8;
constexpr int coefficient_range = 256;
constexpr std::int32_t smallest_dc_coef_minus8 = -7;
constexpr std::int32_t largest_dc_coef_minus8 = 247;
constexpr std::int32_t smallest_delta_coef = -128;
constexpr std::int32_t largest_delta_coef = 127;

// 32x32 has matrices 0 and 3 only, so its matrix numbers step by three.
unsigned matrix_step(unsigned sizeId) { return sizeId == size_id_32x32 ? 3 : 1; }

const char* default_name(const scaling_list_data::matrix& entry) {
    if (entry.sizeId == 0) return "default (flat 16)";
    return entry.matrixId < 3 ? "default intra" : "default inter";
}

}  // namespace

const scaling_list_data::matrix* scaling_list_data::find(unsigned sizeId, unsigned matrixId) const {
    const auto entry = std::ranges::find_if(matrices, [=](const matrix& candidate) {
        return candidate.sizeId == sizeId && candidate.matrixId == matrixId;
    });
    return entry == matrices.end() ? nullptr : &*entry;
}

void scaling_list_data::parse(BoundedReader& reader) {
    for (unsigned sizeId = 0; sizeId < size_ids; ++sizeId) {
        for (unsigned matrixId = 0; matrixId < matrix_ids; matrixId += matrix_step(sizeId)) {
            if (reader.ran_out()) return;
            matrix entry;
            entry.sizeId = sizeId;
            entry.matrixId = matrixId;
            reader.read(entry.scaling_list_pred_mode_flag, 1);
            if (!entry.scaling_list_pred_mode_flag.value) {
                parse_predicted(reader, entry);
            } else {
                parse_coefficients(reader, entry);
            }
            matrices.push_back(std::move(entry));
        }
    }
}

void scaling_list_data::parse_predicted(BoundedReader& reader, matrix& entry) const {
    const unsigned step = matrix_step(entry.sizeId);
    read_ue_at_most(reader, entry.scaling_list_pred_matrix_id_delta, entry.matrixId / step);
    if (reader.ran_out()) return;
    const std::uint32_t delta = entry.scaling_list_pred_matrix_id_delta.value;
    if (delta == 0) {
        entry.is_default = true;
        return;
    }
    // The delta's range keeps the reference among the matrices already read.
    const matrix* reference = find(entry.sizeId, entry.matrixId - delta * step);
    if (reference == nullptr) {
        reader.stop();
        return;
    }
    entry.is_default = reference->is_default;
    entry.ScalingList = reference->ScalingList;
    entry.scaling_list_dc_coef_minus8.value = reference->scaling_list_dc_coef_minus8.value;
}

void scaling_list_data::parse_coefficients(BoundedReader& reader, matrix& entry) {
    int nextCoef = initial_coefficient;
    const int coefNum = std::min(64, 1 << (4 + (entry.sizeId << 1)));
    if (entry.sizeId > 1) {
        read_se_within(reader, entry.scaling_list_dc_coef_minus8, smallest_dc_coef_minus8, largest_dc_coef_minus8);
        nextCoef = entry.scaling_list_dc_coef_minus8.value + 8;
    }
    for (int i = 0; i < coefNum && !reader.ran_out(); ++i) {
        Field<std::int32_t> delta;
        read_se_within(reader, delta, smallest_delta_coef, largest_delta_coef);
        if (reader.ran_out()) return;
        entry.scaling_list_delta_coef.push_back(delta);
        nextCoef = (nextCoef + delta.value + coefficient_range) % coefficient_range;
        entry.ScalingList.push_back(static_cast<std::uint8_t>(nextCoef));
    }
}

void scaling_list_data::dump(const LineSink& sink) const {
    for (const matrix& entry : matrices) {
        const unsigned s = entry.sizeId;
        const unsigned m = entry.matrixId;
        print_line(sink, "scaling_list_pred_mode_flag[%u][%u]: %s", s, m,
                   yes_no(entry.scaling_list_pred_mode_flag.value));
        if (!entry.scaling_list_pred_mode_flag.value) {
            print_line(sink, "scaling_list_pred_matrix_id_delta[%u][%u]: %u", s, m,
                       entry.scaling_list_pred_matrix_id_delta.value);
        }
        if (s > 1)
            print_line(sink, "scaling_list_dc_coef_minus8[%u][%u]: %d", s - 2, m,
                       entry.scaling_list_dc_coef_minus8.value);
        if (entry.is_default) {
            print_line(sink, "ScalingList[%u][%u]: %s", s, m, default_name(entry));
            continue;
        }
        std::string line = format_text("ScalingList[%u][%u]:", s, m);
        for (const std::uint8_t coefficient : entry.ScalingList) append_text(line, " %u", coefficient);
        sink(line);
    }
}

}  // namespace cut2edl::hevc
