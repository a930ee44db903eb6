#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

namespace {

constexpr int identifier_bits = 4;

}  // namespace

const std::uint8_t* mpeg_extension_base::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    reader.skip_bits(identifier_bits);
    read_fields(reader);
    span = reader.whole_span();
    return reader.ran_out() ? nullptr : data + reader.consumed();
}

void mpeg_extension_base::dump(const LineSink&) const {}

}  // namespace cut2edl
