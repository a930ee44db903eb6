#pragma once

#include "descriptors/Descriptor.h"

namespace cut2edl {

// AVC_timing_and_HRD_descriptor (tag 0x2A): the time base of an H.264 stream
// and whether its timing can be trusted for buffering, for a stream whose
// parameter sets may not say.
class AVC_timing_and_HRD_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> hrd_management_valid_flag;
    Field<std::uint8_t> reserved_1;
    Field<std::uint8_t> picture_and_timing_info_present;
    Field<std::uint8_t> _90kHz_flag;
    Field<std::uint8_t> reserved_2;
    Field<std::uint32_t> N;
    Field<std::uint32_t> K;
    Field<std::uint32_t> num_units_in_tick;
    Field<std::uint8_t> fixed_frame_rate_flag;
    Field<std::uint8_t> temporal_poc_flag;
    Field<std::uint8_t> picture_to_display_conversion_flag;
    Field<std::uint8_t> reserved_3;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
