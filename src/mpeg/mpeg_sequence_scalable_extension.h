#pragma once

#include <cstdint>

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// sequence_scalable_extension() (identifier 5): the scalability mode and
// layer, with the spatial or temporal parameters that the mode calls for.
class mpeg_sequence_scalable_extension : public mpeg_extension_base {
public:
    static constexpr std::uint8_t spatial_scalability = 1;
    static constexpr std::uint8_t temporal_scalability = 3;

    void dump(const LineSink& sink) const override;

    Field<std::uint8_t> scalable_mode;
    Field<std::uint8_t> layer_id;
    Field<std::uint16_t> lower_layer_prediction_horizontal_size;
    Field<std::uint8_t> marker_bit;
    Field<std::uint16_t> lower_layer_prediction_vertical_size;
    Field<std::uint8_t> horizontal_subsampling_factor_m;
    Field<std::uint8_t> horizontal_subsampling_factor_n;
    Field<std::uint8_t> vertical_subsampling_factor_m;
    Field<std::uint8_t> vertical_subsampling_factor_n;
    Field<std::uint8_t> picture_mux_enable;
    Field<std::uint8_t> mux_to_progressive_sequence;
    Field<std::uint8_t> picture_mux_order;
    Field<std::uint8_t> picture_mux_factor;

protected:
    void read_fields(BoundedReader& reader) override;

private:
    void read_spatial_fields(BoundedReader& reader);
    void read_temporal_fields(BoundedReader& reader);
    void render_spatial_fields(const LineSink& sink) const;
    void render_temporal_fields(const LineSink& sink) const;
};

}  // namespace cut2edl
