#pragma once

#include <cstdint>

#include "mpeg/mpeg_extension_base.h"
#include "mpeg/quantiser_matrix.h"

namespace cut2edl {

// quant_matrix_extension() (identifier 3): up to four quantiser matrices, each
// behind the flag that loads it.
class mpeg_quant_matrix_extension : public mpeg_extension_base {
public:
    void dump(const LineSink& sink) const override;

    Field<std::uint8_t> load_intra_quantiser_matrix;
    Field<QuantiserMatrix> intra_quantiser_matrix;
    Field<std::uint8_t> load_non_intra_quantiser_matrix;
    Field<QuantiserMatrix> non_intra_quantiser_matrix;
    Field<std::uint8_t> load_chroma_intra_quantiser_matrix;
    Field<QuantiserMatrix> chroma_intra_quantiser_matrix;
    Field<std::uint8_t> load_chroma_non_intra_quantiser_matrix;
    Field<QuantiserMatrix> chroma_non_intra_quantiser_matrix;

protected:
    void read_fields(BoundedReader& reader) override;
};

}  // namespace cut2edl
