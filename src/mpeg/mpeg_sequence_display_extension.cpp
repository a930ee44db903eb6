#include "mpeg/mpeg_sequence_display_extension.h"

#include "mpeg/value_text.h"

namespace cut2edl {

void mpeg_sequence_display_extension::read_fields(BoundedReader& reader) {
    reader.read(video_format, 3);
    reader.read(colour_description, 1);
    if (colour_description.value) {
        reader.read(colour_primaries, 8);
        reader.read(transfer_characteristics, 8);
        reader.read(matrix_coefficients, 8);
    }
    reader.read(display_horizontal_size, 14);
    reader.read(marker_bit, 1);
    reader.read(display_vertical_size, 14);
}

void mpeg_sequence_display_extension::dump(const LineSink& sink) const {
    print_line(sink, "Video Format: %s", video_format_text(video_format.value).c_str());
    if (colour_description.value) {
        print_line(sink, "Colour Primaries: %s", colour_primaries_text(colour_primaries.value).c_str());
        print_line(sink, "Transfer Characteristics: %s",
                   transfer_characteristics_text(transfer_characteristics.value).c_str());
        print_line(sink, "Matrix Coefficients: %s", matrix_coefficients_text(matrix_coefficients.value).c_str());
    }
    print_line(sink, "Display Size: %d x %d", display_horizontal_size.value, display_vertical_size.value);
}

}  // namespace cut2edl
