#include "mpeg/mpeg_copyright_extension.h"

namespace cut2edl {

void mpeg_copyright_extension::read_fields(BoundedReader& reader) {
    reader.read(copyright_flag, 1);
    reader.read(copyright_identifier, 8);
    reader.read(original_or_copy, 1);
    reader.read(reserved, 7);
    reader.read(marker_bit_1, 1);
    reader.read(copyright_number_1, 20);
    reader.read(marker_bit_2, 1);
    reader.read(copyright_number_2, 22);
    reader.read(marker_bit_3, 1);
    reader.read(copyright_number_3, 22);
}

void mpeg_copyright_extension::dump(const LineSink& sink) const {
    print_line(sink, "Copyright Flag Set? %s", yes_no(copyright_flag.value));
    print_line(sink, "Copyright ID: %d (0x%02X)", copyright_identifier.value, copyright_identifier.value);
    print_line(sink, "Original or Copy? %s", original_or_copy.value ? "Original" : "Copy");
    // The line has room for a 32-bit number only: it shows the low 32 bits of
    // the whole number as a signed value.
    const std::uint64_t number = std::uint64_t{copyright_number_1.value} << 44 |
                                 std::uint64_t{copyright_number_2.value} << 22 | copyright_number_3.value;
    print_line(sink, "Copyright Number: %d", static_cast<std::int32_t>(static_cast<std::uint32_t>(number)));
}

}  // namespace cut2edl
