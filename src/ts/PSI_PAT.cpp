#include "ts/PSI_PAT.h"

#include <algorithm>

#include "mpeg/owning_chain.h"

namespace cut2edl {

namespace {

// The section_length bytes that precede the program list (transport_stream_id
// to last_section_number) or follow it (the CRC), and one more: an entry is
// made while at least one byte of the list is left for it.
constexpr int length_outside_program_list = 9;

}  // namespace

PSI_PAT_Program::~PSI_PAT_Program() { release_chain(next); }

void PSI_PAT_Program::read(BoundedReader& reader) {
    const int first = reader.consumed();
    reader.read(program_number, 16);
    reader.read(reserved, 3);
    reader.read(program_map_PID, 13);
    span = reader.span_since(first);
}

void PSI_PAT_Program::dump(const LineSink& sink) const {
    for (const PSI_PAT_Program* entry = this; entry != nullptr; entry = entry->next.get()) {
        sink("Program");
        print_line(sink, "Program Number: %d", entry->program_number.value);
        print_line(sink, "PMT PID: 0x%04X (%d)", entry->program_map_PID.value, entry->program_map_PID.value);
    }
}

const std::uint8_t* PSI_PAT::parse(const std::uint8_t* data, int* position, int section_size, int readable,
                                   const NoticeSink& notices) {
    const int first_position = *position;
    BoundedReader reader(data, readable, position);
    header.read(reader);
    const int section_length = header.section_length.value;
    ChainBuilder<PSI_PAT_Program> list(programs);
    // Each entry takes four bytes of the list; a list of 4N bytes holds N.
    for (int left = section_length - length_outside_program_list; left > 0 && reader.remaining() >= PSI_PAT_Program::size;
         left -= PSI_PAT_Program::size) {
        list.append(std::make_unique<PSI_PAT_Program>()).read(reader);
    }
    const int size = section_length + PSI_section_header::bytes_before_section_length_end;
    if (section_length >= PSI_section_header::crc_size) {
        read_crc_before_stuffing(data, readable, size - PSI_section_header::crc_size, first_position, CRC_32);
    }
    if (section_size != size) notices("Supplied section length error in PAT Decode");
    const int consumed = std::clamp(size, reader.consumed(), std::max(readable, 0));
    span = make_span(first_position, first_position + consumed - 1);
    *position = first_position + consumed;
    return data + consumed;
}

void PSI_PAT::dump(const LineSink& sink, const ChildSink& children) const {
    print_line(sink, "table_id = 0x%02X", header.table_id.value);
    print_line(sink, "transport_stream_id = 0x%04X", transport_stream_id().value);
    dump_if_present(programs, children(sink));
    if (CRC_32.value != 0) print_line(sink, "CRC32 = 0x%08X", CRC_32.value);
}

}  // namespace cut2edl
