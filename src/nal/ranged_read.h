#pragma once

#include <cstdint>
#include <type_traits>

#include "mpeg/bounded_reader.h"

// Reads of syntax elements whose range the standard bounds. A value
// outside the range is not kept and ends the parse, as the end of the buffer
// does: the fields behind it, and any count it gives, cannot be trusted.
namespace cut2edl {

// Keeps `read` in `field` when it lies within the range; a value outside it
// ends the parse.
template <typename T>
void keep_within(BoundedReader& reader, Field<T>& field, const Field<T>& read, T smallest, T largest) {
    if (reader.ran_out()) return;
    if (read.value < smallest || read.value > largest) {
        reader.stop();
        return;
    }
    field = read;
}

// se(v) for a signed field, ue(v) for an unsigned one.
template <typename T>
void read_exp_golomb_within(BoundedReader& reader, Field<T>& field, T smallest, T largest) {
    Field<T> read;
    if constexpr (std::is_signed_v<T>) {
        reader.read_se(read);
    } else {
        reader.read_ue(read);
    }
    keep_within(reader, field, read, smallest, largest);
}

inline void read_ue_at_most(BoundedReader& reader, Field<std::uint32_t>& field, std::uint32_t largest) {
    read_exp_golomb_within<std::uint32_t>(reader, field, 0, largest);
}

inline void read_se_within(BoundedReader& reader, Field<std::int32_t>& field, std::int32_t smallest,
                           std::int32_t largest) {
    read_exp_golomb_within(reader, field, smallest, largest);
}

// u(n) of a field whose range the standard bounds below 2^n - 1.
template <typename T>
void read_at_most(BoundedReader& reader, Field<T>& field, int count, T largest) {
    Field<T> read;
    reader.read(read, count);
    keep_within(reader, field, read, T{0}, largest);
}

}  // namespace cut2edl
