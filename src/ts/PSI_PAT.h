#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/bounded_reader.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"
#include "ts/PSI_section_header.h"

namespace cut2edl {

// One program of the PAT: its number and the PID of its map table (the
// network PID for program number 0). Owns the entries behind it.
class PSI_PAT_Program {
public:
    static constexpr int size = 4;

    PSI_PAT_Program() = default;
    PSI_PAT_Program(const PSI_PAT_Program&) = delete;
    PSI_PAT_Program& operator=(const PSI_PAT_Program&) = delete;
    ~PSI_PAT_Program();

    void read(BoundedReader& reader);
    // Renders this entry, then the rest of the list.
    void dump(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint16_t> program_number;
    Field<std::uint8_t> reserved;
    Field<std::uint16_t> program_map_PID;
    std::unique_ptr<PSI_PAT_Program> next;
};

// program_association_section() of ISO/IEC 13818-1 (PID 0): the programs of
// a transport stream and the PIDs of their map tables.
class PSI_PAT {
public:
    // Parses the section whose table_id is at `data`. `section_size` is the
    // size the caller reckons (section_length + 3): a different one is
    // reported as "Supplied section length error in PAT Decode". Only the
    // `readable` bytes at `data` are looked at, whatever the lengths claim.
    // Returns data + section_length + 3, or the end of the readable bytes
    // when the section claims more.
    const std::uint8_t* parse(const std::uint8_t* data, int* position, int section_size, int readable,
                              const NoticeSink& notices = notice_to_stdout);

    void dump(const LineSink& sink, const ChildSink& children = same_sink) const;

    const Field<std::uint16_t>& transport_stream_id() const { return header.table_id_extension; }

    field_span span = 0;
    PSI_section_header header;
    std::unique_ptr<PSI_PAT_Program> programs;
    Field<std::uint32_t> CRC_32;
};

}  // namespace cut2edl
