#pragma once

#include "descriptors/list_descriptor.h"

namespace cut2edl {

// The offset of one country region's local time from UTC, and when it changes.
class local_time_offset_descriptor_item final : public descriptor_item<local_time_offset_descriptor_item> {
public:
    static constexpr int fixed_size = 13;

    Field<std::uint32_t> country_code;
    Field<std::uint8_t> country_region_id;
    Field<std::uint8_t> reserved;
    Field<std::uint8_t> local_time_offset_polarity;
    Field<std::uint16_t> local_time_offset;
    // A 16-bit Modified Julian Date, then hours, minutes and seconds in BCD.
    Field<std::uint64_t> time_of_change;
    Field<std::uint16_t> next_time_offset;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// local_time_offset_descriptor (tag 0x58): local time offsets by region.
class local_time_offset_descriptor final : public list_descriptor<local_time_offset_descriptor_item> {};

}  // namespace cut2edl
