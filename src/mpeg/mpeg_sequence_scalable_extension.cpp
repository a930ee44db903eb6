#include "mpeg/mpeg_sequence_scalable_extension.h"

#include <string>

#include "mpeg/value_text.h"

namespace cut2edl {

void mpeg_sequence_scalable_extension::read_fields(BoundedReader& reader) {
    reader.read(scalable_mode, 2);
    reader.read(layer_id, 4);
    if (scalable_mode.value == spatial_scalability) read_spatial_fields(reader);
    if (scalable_mode.value == temporal_scalability) read_temporal_fields(reader);
}

void mpeg_sequence_scalable_extension::read_spatial_fields(BoundedReader& reader) {
    reader.read(lower_layer_prediction_horizontal_size, 14);
    reader.read(marker_bit, 1);
    reader.read(lower_layer_prediction_vertical_size, 14);
    reader.read(horizontal_subsampling_factor_m, 5);
    reader.read(horizontal_subsampling_factor_n, 5);
    reader.read(vertical_subsampling_factor_m, 5);
    reader.read(vertical_subsampling_factor_n, 5);
}

void mpeg_sequence_scalable_extension::read_temporal_fields(BoundedReader& reader) {
    reader.read(picture_mux_enable, 1);
    if (picture_mux_enable.value) reader.read(mux_to_progressive_sequence, 1);
    reader.read(picture_mux_order, 3);
    reader.read(picture_mux_factor, 3);
}

void mpeg_sequence_scalable_extension::dump(const LineSink& sink) const {
    print_line(sink, "Scalable Mode: %s", scalable_mode_text(scalable_mode.value).c_str());
    print_line(sink, "Layer ID: %d", layer_id.value);
    if (scalable_mode.value == spatial_scalability) render_spatial_fields(sink);
    if (scalable_mode.value == temporal_scalability) render_temporal_fields(sink);
}

void mpeg_sequence_scalable_extension::render_spatial_fields(const LineSink& sink) const {
    print_line(sink, "Lower Layer Prediction Size: %d x %d", lower_layer_prediction_horizontal_size.value,
               lower_layer_prediction_vertical_size.value);
    // The factors are plain numbers: they show in decimal.
    print_line(sink, "Horizontal Subsampling Factor M: %s",
               std::to_string(horizontal_subsampling_factor_m.value).c_str());
    print_line(sink, "Horizontal Subsampling Factor N: %s",
               std::to_string(horizontal_subsampling_factor_n.value).c_str());
    print_line(sink, "Vertical Subsampling Factor M: %s", std::to_string(vertical_subsampling_factor_m.value).c_str());
    print_line(sink, "Vertical Subsampling Factor N: %s", std::to_string(vertical_subsampling_factor_n.value).c_str());
}

void mpeg_sequence_scalable_extension::render_temporal_fields(const LineSink& sink) const {
    print_line(sink, "Picture MUX Enable? %s", yes_no(picture_mux_enable.value));
    if (picture_mux_enable.value) {
        print_line(sink, "MUX To Progressive Sequence? %s", yes_no(mux_to_progressive_sequence.value));
    }
    print_line(sink, "Picture MUX Order: %d", picture_mux_order.value);
    print_line(sink, "Picture MUX Factor: %d", picture_mux_factor.value);
}

}  // namespace cut2edl
