#pragma once

#include <cstdint>
#include <memory>

#include "descriptors/Descriptor.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"
#include "ts/PSI_section_header.h"

namespace cut2edl {

// One service of an SDT: its id (the program_number of its program), its
// signalling flags and its descriptors. Owns the entries behind it.
class PSI_SDT_Service {
public:
    static constexpr int fixed_size = 5;

    PSI_SDT_Service() = default;
    PSI_SDT_Service(const PSI_SDT_Service&) = delete;
    PSI_SDT_Service& operator=(const PSI_SDT_Service&) = delete;
    ~PSI_SDT_Service();

    // Parses the entry at `data`, `length` bytes from there to the end of the
    // service loop. Returns its extent (5 + descriptors_loop_length), which
    // may pass the loop's end.
    int parse(const std::uint8_t* data, int length, int* position, const NoticeSink& notices);

    // Renders this entry (its descriptors to the sink that `children` gives,
    // each in its `frame` when there is one), then the rest of the loop.
    void dump(const LineSink& sink, const ChildSink& children = same_sink, const DescriptorFrame& frame = {}) const;

    field_span span = 0;
    Field<std::uint16_t> service_id;
    Field<std::uint8_t> reserved_future_use;
    Field<std::uint8_t> EIT_schedule_flag;
    Field<std::uint8_t> EIT_present_following_flag;
    Field<std::uint8_t> running_status;
    Field<std::uint8_t> free_CA_mode;
    Field<std::uint16_t> descriptors_loop_length;
    std::unique_ptr<Descriptor> descriptors;
    std::unique_ptr<PSI_SDT_Service> next;
};

// service_description_section() of ETSI EN 300 468 (PID 0x0011): the
// services of a transport stream, named by their service descriptors.
class PSI_SDT {
public:
    // Parses the section whose table_id is at `data`; `section_size` is its
    // section_length + 3. Only the `readable` bytes at `data` are looked at,
    // whatever the lengths claim. Returns the place behind the CRC (or the
    // end of the readable bytes when it lies beyond them).
    const std::uint8_t* parse(const std::uint8_t* data, int section_size, int* position, int readable,
                              const NoticeSink& notices = notice_to_stdout);

    void dump(const LineSink& sink, const ChildSink& children = same_sink, const DescriptorFrame& frame = {}) const;

    const Field<std::uint16_t>& transport_stream_id() const { return header.table_id_extension; }

    field_span span = 0;
    PSI_section_header header;
    Field<std::uint16_t> original_network_id;
    Field<std::uint8_t> reserved_future_use;
    std::unique_ptr<PSI_SDT_Service> services;
    Field<std::uint32_t> CRC_32;
};

}  // namespace cut2edl
