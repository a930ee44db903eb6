#include "mpeg/mpeg_quant_matrix_extension.h"

namespace cut2edl {

namespace {

// The matrix bytes follow their flag without alignment.
void read_matrix(BoundedReader& reader, Field<std::uint8_t>& load, Field<QuantiserMatrix>& matrix) {
    reader.read(load, 1);
    if (load.value) reader.read(matrix);
}

void render_loaded_matrix(const LineSink& sink, const char* question, const Field<std::uint8_t>& load,
                   const Field<QuantiserMatrix>& matrix) {
    print_line(sink, question, yes_no(load.value));
    if (load.value) render_matrix(sink, matrix.value, "Row %d: ");
}

}  // namespace

void mpeg_quant_matrix_extension::read_fields(BoundedReader& reader) {
    read_matrix(reader, load_intra_quantiser_matrix, intra_quantiser_matrix);
    read_matrix(reader, load_non_intra_quantiser_matrix, non_intra_quantiser_matrix);
    read_matrix(reader, load_chroma_intra_quantiser_matrix, chroma_intra_quantiser_matrix);
    read_matrix(reader, load_chroma_non_intra_quantiser_matrix, chroma_non_intra_quantiser_matrix);
}

void mpeg_quant_matrix_extension::dump(const LineSink& sink) const {
    render_loaded_matrix(sink, "Load Intra Quantiser Matrix? %s", load_intra_quantiser_matrix, intra_quantiser_matrix);
    render_loaded_matrix(sink, "Load Non-Intra Quantiser Matrix? %s", load_non_intra_quantiser_matrix,
                         non_intra_quantiser_matrix);
    render_loaded_matrix(sink, "Load Chroma Intra Quantiser Matrix? %s", load_chroma_intra_quantiser_matrix,
                         chroma_intra_quantiser_matrix);
    render_loaded_matrix(sink, "Load Chroma Non-Intra Quantiser Matrix? %s", load_chroma_non_intra_quantiser_matrix,
                         chroma_non_intra_quantiser_matrix);
}

}  // namespace cut2edl
