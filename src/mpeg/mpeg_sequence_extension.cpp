#include "mpeg/mpeg_sequence_extension.h"

#include "mpeg/value_text.h"

namespace cut2edl {

void mpeg_sequence_extension::read_fields(BoundedReader& reader) {
    reader.read(profile_and_level_indication, 8);
    reader.read(progressive_sequence, 1);
    reader.read(chroma_format, 2);
    reader.read(horizontal_size_extension, 2);
    reader.read(vertical_size_extension, 2);
    reader.read(bit_rate_extension, 12);
    reader.read(marker_bit, 1);
    reader.read(vbv_buffer_size_extension, 8);
    reader.read(low_delay, 1);
    reader.read(frame_rate_extension_n, 2);
    reader.read(frame_rate_extension_d, 5);
}

void mpeg_sequence_extension::dump(const LineSink& sink) const {
    print_line(sink, "Profile and Level: %s", profile_and_level_text(profile_and_level_indication.value).c_str());
    print_line(sink, "Progressive Sequence? %s", yes_no(progressive_sequence.value));
    print_line(sink, "Chroma Format: %s", chroma_format_text(chroma_format.value).c_str());
    // The extensions are the high bits above those of the sequence header.
    print_line(sink, "Horizontal Size Extension: add %d", horizontal_size_extension.value << 12);
    print_line(sink, "Vertical Size Extension: add %d", vertical_size_extension.value << 12);
    print_line(sink, "Bit Rate Extension: add %d", bit_rate_extension.value << 18);
    print_line(sink, "VBV Buffer Size Extension: add %d", vbv_buffer_size_extension.value << 10);
    print_line(sink, "Low Delay? %s", yes_no(low_delay.value));
    print_line(sink, "Frame Rate Extension: frame rate x %d / %d", frame_rate_extension_n.value + 1,
               frame_rate_extension_d.value + 1);
}

}  // namespace cut2edl
