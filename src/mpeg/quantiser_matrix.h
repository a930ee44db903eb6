#pragma once

#include <array>
#include <cstdint>

#include "mpeg/line_sink.h"

namespace cut2edl {

// 64 quantiser weights in transmission order.
using QuantiserMatrix = std::array<std::uint8_t, 64>;

// Renders a matrix as eight lines of eight values, each line opening with
// `row_label` (a printf format that receives the row number 1 to 8).
void render_matrix(const LineSink& sink, const QuantiserMatrix& matrix, const char* row_label);

}  // namespace cut2edl
