#pragma once

#include <cstdint>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"

namespace cut2edl::hevc {

// profile_tier_level(profilePresentFlag, maxNumSubLayersMinus1): the profile,
// tier and level of the whole bitstream (the general_ fields) and of each
// sub-layer below the highest (the sub_layer_ fields), with the constraint
// flags that each family of profiles defines.
class profile_tier_level {
public:
    // The profile part, alike for the bitstream and for a sub-layer. Its
    // fields are named as the standard names them less the general_ or
    // sub_layer_ prefix, which the rendering puts back.
    struct layer_profile {
        // Reads the 88 bits from profile_space to inbld_flag (or the
        // reserved bit in its place).
        void parse(BoundedReader& reader);
        // `prefix` is "general" or "sub_layer"; a sub-layer's lines carry
        // its index, the general ones none (index -1).
        void dump(const LineSink& sink, const char* prefix, int index) const;

        // profile_idc is `idc` or profile_compatibility_flag[idc] is set.
        bool is_compatible_with(unsigned idc) const;

        Field<std::uint8_t> profile_space;
        Field<std::uint8_t> tier_flag;
        Field<std::uint8_t> profile_idc;
        // profile_compatibility_flag[j] is bit 31 - j, as the flags are sent.
        Field<std::uint32_t> profile_compatibility_flag;
        Field<std::uint8_t> progressive_source_flag;
        Field<std::uint8_t> interlaced_source_flag;
        Field<std::uint8_t> non_packed_constraint_flag;
        Field<std::uint8_t> frame_only_constraint_flag;
        // Sent for the range-extension family (profiles 4 to 11).
        Field<std::uint8_t> max_12bit_constraint_flag;
        Field<std::uint8_t> max_10bit_constraint_flag;
        Field<std::uint8_t> max_8bit_constraint_flag;
        Field<std::uint8_t> max_422chroma_constraint_flag;
        Field<std::uint8_t> max_420chroma_constraint_flag;
        Field<std::uint8_t> max_monochrome_constraint_flag;
        Field<std::uint8_t> intra_constraint_flag;
        // Sent for that family and for Main 10 (profile 2).
        Field<std::uint8_t> one_picture_only_constraint_flag;
        Field<std::uint8_t> lower_bit_rate_constraint_flag;
        // Sent for profiles 5, 9, 10 and 11.
        Field<std::uint8_t> max_14bit_constraint_flag;
        // Sent for profiles 1 to 5, 9 and 11.
        Field<std::uint8_t> inbld_flag;

    private:
        bool has_range_extension_flags() const;
        bool has_max_14bit_constraint_flag() const;
        bool has_inbld_flag() const;
        void parse_constraint_flags(BoundedReader& reader);
        void dump_constraint_flags(const LineSink& sink, const char* prefix, int index) const;
    };

    struct sub_layer {
        Field<std::uint8_t> sub_layer_profile_present_flag;
        Field<std::uint8_t> sub_layer_level_present_flag;
        layer_profile profile;
        Field<std::uint8_t> sub_layer_level_idc;
    };

    // Reads at the reader's cursor; `maxNumSubLayersMinus1` is at most 6 (the
    // caller ends its parse on a larger count).
    void parse(BoundedReader& reader, bool profilePresentFlag, unsigned maxNumSubLayersMinus1);
    void dump(const LineSink& sink) const;

    bool profile_present = false;
    layer_profile general;
    Field<std::uint8_t> general_level_idc;
    // One per sub-layer below the highest, as many as were read.
    std::vector<sub_layer> sub_layers;
};

}  // namespace cut2edl::hevc
