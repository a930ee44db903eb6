#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// HEVC_video_descriptor (tag 0x38): the profile, tier and level of an H.265
// stream as its parameter sets give them, what pictures it may hold and,
// optionally, the range of temporal layers that it carries.
class HEVC_video_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> profile_space;
    Field<std::uint8_t> tier_flag;
    Field<std::uint8_t> profile_idc;
    Field<std::uint32_t> profile_compatibility_indication;
    Field<std::uint8_t> progressive_source_flag;
    Field<std::uint8_t> interlaced_source_flag;
    Field<std::uint8_t> non_packed_constraint_flag;
    Field<std::uint8_t> frame_only_constraint_flag;
    Field<std::uint64_t> copied_44bits;
    Field<std::uint8_t> level_idc;
    Field<std::uint8_t> temporal_layer_subset_flag;
    Field<std::uint8_t> HEVC_still_present_flag;
    Field<std::uint8_t> HEVC_24hr_picture_present_flag;
    Field<std::uint8_t> sub_pic_hrd_params_not_present_flag;
    Field<std::uint8_t> reserved_1;
    Field<std::uint8_t> HDR_WCG_idc;
    Field<std::uint8_t> temporal_id_min;
    Field<std::uint8_t> reserved_2;
    Field<std::uint8_t> temporal_id_max;
    Field<std::uint8_t> reserved_3;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
