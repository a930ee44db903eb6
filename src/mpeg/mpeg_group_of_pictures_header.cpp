#include "mpeg/mpeg_group_of_pictures_header.h"

namespace cut2edl {

const std::uint8_t* mpeg_group_of_pictures_header::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    read_start_code(reader);
    reader.read(time_code, 25);
    reader.read(closed_gop, 1);
    reader.read(broken_link, 1);
    span = reader.whole_span();
    return reader.ran_out() ? nullptr : data + reader.consumed();
}

void mpeg_group_of_pictures_header::render(const LineSink& sink) const {
    print_line(sink, "Drop Frame? %s", yes_no(drop_frame_flag()));
    print_line(sink, "Time: %02d:%02d:%02d.%02d", hours(), minutes(), seconds(), pictures());
    print_line(sink, "Closed GOP? %s", yes_no(closed_gop.value));
    print_line(sink, "Broken Link? %s", yes_no(broken_link.value));
}

}  // namespace cut2edl
