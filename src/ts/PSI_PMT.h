#pragma once

#include <cstdint>
#include <memory>

#include "descriptors/Descriptor.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"
#include "ts/PSI_section_header.h"

namespace cut2edl {

// One elementary stream of a PMT: its type, its PID and its descriptors.
// Owns the entries behind it.
class PSI_PMT_Program_Info_Loop {
public:
    static constexpr int fixed_size = 5;

    PSI_PMT_Program_Info_Loop() = default;
    PSI_PMT_Program_Info_Loop(const PSI_PMT_Program_Info_Loop&) = delete;
    PSI_PMT_Program_Info_Loop& operator=(const PSI_PMT_Program_Info_Loop&) = delete;
    ~PSI_PMT_Program_Info_Loop();

    // Parses the entry at `data`, `length` bytes from there to the end of the
    // stream loop, and moves `*position` on over the entry. Returns the
    // entry's extent (5 + ES_info_length), which may pass the loop's end.
    int parse(const std::uint8_t* data, int length, int* position, const NoticeSink& notices);

    // Renders this entry (its descriptors to the sink that `children` gives,
    // each in its `frame` when there is one), then the rest of the loop.
    void dump(const LineSink& sink, const ChildSink& children = same_sink, const DescriptorFrame& frame = {}) const;

    field_span span = 0;
    Field<std::uint8_t> stream_type;
    Field<std::uint8_t> reserved_1;
    Field<std::uint16_t> elementary_PID;
    Field<std::uint8_t> reserved_2;
    Field<std::uint16_t> ES_info_length;
    std::unique_ptr<Descriptor> descriptors;
    std::unique_ptr<PSI_PMT_Program_Info_Loop> next;
};

// TS_program_map_section() of ISO/IEC 13818-1: one program's PCR PID, its
// descriptors and its elementary streams.
class PSI_PMT {
public:
    // Parses the section whose table_id is at `data`; `section_size` is the
    // size the caller reckons (section_length + 3) and sizes the stream loop.
    // Only the `readable` bytes at `data` are looked at, whatever the lengths
    // claim. Returns the place behind the CRC (or the end of the readable
    // bytes when it lies beyond them).
    const std::uint8_t* parse(const std::uint8_t* data, int section_size, int* position, int readable,
                              const NoticeSink& notices = notice_to_stdout);

    void dump(const LineSink& sink, const ChildSink& children = same_sink, const DescriptorFrame& frame = {}) const;

    const Field<std::uint16_t>& program_number() const { return header.table_id_extension; }

    field_span span = 0;
    PSI_section_header header;
    Field<std::uint8_t> reserved_3;
    Field<std::uint16_t> PCR_PID;
    Field<std::uint8_t> reserved_4;
    Field<std::uint16_t> program_info_length;
    std::unique_ptr<Descriptor> program_info_descriptors;
    std::unique_ptr<PSI_PMT_Program_Info_Loop> streams;
    Field<std::uint32_t> CRC_32;

private:
    // Parses the stream loop at `offset`, the counter standing there; returns
    // the offset behind its last entry.
    int parse_streams(const std::uint8_t* data, int offset, int loop_size, int readable, int* position,
                      const NoticeSink& notices);
};

}  // namespace cut2edl
