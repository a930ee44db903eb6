#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// AVC_video_descriptor (tag 0x28): the profile, constraints and level of an
// H.264 stream as its sequence parameter sets give them, and what pictures the
// stream may hold.
class AVC_video_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> profile_idc;
    Field<std::uint8_t> constraint_set0_flag;
    Field<std::uint8_t> constraint_set1_flag;
    Field<std::uint8_t> constraint_set2_flag;
    Field<std::uint8_t> constraint_set3_flag;
    Field<std::uint8_t> constraint_set4_flag;
    Field<std::uint8_t> constraint_set5_flag;
    Field<std::uint8_t> AVC_compatible_flags;
    Field<std::uint8_t> level_idc;
    Field<std::uint8_t> AVC_still_present;
    Field<std::uint8_t> AVC_24_hour_picture_flag;
    Field<std::uint8_t> Frame_Packing_SEI_not_present_flag;
    Field<std::uint8_t> reserved;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
