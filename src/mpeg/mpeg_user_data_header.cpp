#include "mpeg/mpeg_user_data_header.h"

namespace cut2edl {

namespace {
// The search for the next header runs over the user data, which has no length
// of its own: it ends where the next start code begins.
constexpr int restart_offset = 2;
}  // namespace

const std::uint8_t* mpeg_user_data_header::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    read_start_code(reader);
    span = reader.whole_span();
    return reader.ran_out() ? nullptr : data + restart_offset;
}

}  // namespace cut2edl
