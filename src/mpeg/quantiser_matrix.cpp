#include "mpeg/quantiser_matrix.h"

#include <string>

namespace cut2edl {

void render_matrix(const LineSink& sink, const QuantiserMatrix& matrix, const char* row_label) {
    constexpr std::size_t row_length = 8;
    for (std::size_t row = 0; row < matrix.size() / row_length; ++row) {
        std::string line = format_text(row_label, static_cast<int>(row + 1));
        for (std::size_t column = 0; column < row_length; ++column) {
            append_text(line, "%d ", matrix[row * row_length + column]);
        }
        sink(line);
    }
}

}  // namespace cut2edl
