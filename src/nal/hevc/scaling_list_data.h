#pragma once

#include <cstdint>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"

namespace cut2edl::hevc {

// scaling_list_data(): the quantisation matrices of the four transform sizes
// (sizeId 0 to 3: 4x4, 8x8, 16x16, 32x32), six for each size (matrixId 0 to
// 2 intra Y, Cb, Cr, 3 to 5 inter) and two for 32x32 (matrixId 0 and 3). A
// matrix comes as coefficients, as a copy of an earlier one of its size
// (scaling_list_pred_matrix_id_delta), or as the default one (a delta of 0).
class scaling_list_data {
public:
    // Reads at the reader's cursor. A delta or coefficient beyond its range
    // ends the parse.
    void parse(BoundedReader& reader);
    void dump(const LineSink& sink) const;

    struct matrix {
        unsigned sizeId = 0;
        unsigned matrixId = 0;
        Field<std::uint8_t> scaling_list_pred_mode_flag;
        Field<std::uint32_t> scaling_list_pred_matrix_id_delta;
        // sizeId 2 and 3: sent with scaling_list_pred_mode_flag 1, otherwise
        // that of the reference matrix, and 8 (a DC of 16) for a default one.
        Field<std::int32_t> scaling_list_dc_coef_minus8{8, 0};
        std::vector<Field<std::int32_t>> scaling_list_delta_coef;  // as many as were read
        // The matrix is the default one (all 16 for 4x4, the intra or inter
        // table otherwise) ...
        bool is_default = false;
        // ... or has these coefficients, ScalingList[sizeId][matrixId][i] in
        // the order sent (16 for 4x4, 64 otherwise).
        std::vector<std::uint8_t> ScalingList;
    };

    // The matrix of that size and number, nullptr where it was not read.
    const matrix* find(unsigned sizeId, unsigned matrixId) const;

    // In the order sent (20 in all), as many as were read.
    std::vector<matrix> matrices;

private:
    void parse_predicted(BoundedReader& reader, matrix& entry) const;
    static void parse_coefficients(BoundedReader& reader, matrix& entry);
};

}  // namespace cut2edl::hevc
