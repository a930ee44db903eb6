#include "mpeg/mpeg_slice_header.h"

namespace cut2edl {

namespace {
// The search for the next header begins at the byte of slice_picture_id, the
// last byte this header reads, not behind it.
constexpr int restart_offset = 5;
}  // namespace

const std::uint8_t* mpeg_slice_header::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    read_start_code(reader);
    reader.read(quantiser_scale_code, 5);
    reader.read(intra_slice_flag, 1);
    reader.read(intra_slice, 1);
    reader.read(slice_picture_id_enable, 1);
    reader.read(slice_picture_id, 6);
    span = reader.whole_span();
    return reader.ran_out() ? nullptr : data + restart_offset;
}

void mpeg_slice_header::render(const LineSink& sink) const {
    print_line(sink, "Quantiser Scale Code: %d", quantiser_scale_code.value);
    print_line(sink, "Slice Extension Flag? %s", yes_no(intra_slice_flag.value));
    print_line(sink, "Intra Slice? %s", yes_no(intra_slice.value));
    print_line(sink, "Slice Picture ID Enabled? %s", yes_no(slice_picture_id_enable.value));
    print_line(sink, "Slice Picture ID: 0x%02X", slice_picture_id.value);
}

}  // namespace cut2edl
