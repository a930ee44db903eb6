#pragma once

#include <cstdint>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"

namespace cut2edl::h264 {

// scaling_list() of a 4x4 (16 weights) or 8x8 (64 weights) list: the
// delta_scale values as transmitted and the weights they give. A delta_scale
// of 0 that makes the next scale 0 ends the transmitted values; the list then
// repeats its last weight, or, at the first weight, asks for the default list.
class scaling_list {
public:
    // Reads `sizeOfScalingList` weights at the reader's cursor. A delta_scale
    // outside -128..127 ends the parse.
    void parse(BoundedReader& reader, int sizeOfScalingList);
    // One line: `name` (e.g. "ScalingList4x4[0]"), then the weights, or the
    // default list's name when the list asks for it.
    void dump(const LineSink& sink, const char* name, const char* default_name) const;

    std::vector<Field<std::int32_t>> delta_scale;
    std::vector<std::uint8_t> weights;  // scalingList[j], as many as were read
    bool useDefaultScalingMatrixFlag = false;
};

}  // namespace cut2edl::h264
