#include "mpeg/mpeg_slice_header.h"

namespace cut2edl {

const std::uint8_t* mpeg_slice_header::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    read_start_code(reader);
    return reader.ran_out() ? nullptr : data + reader.consumed();
}

}  // namespace cut2edl
