#include "ts/PSI_PMT.h"

#include <algorithm>

#include "mpeg/owning_chain.h"
#include "mpeg/value_text.h"
#include "ts/section_loops.h"

namespace cut2edl {

namespace {

// The bytes before the program-info loop.
constexpr int bytes_before_program_info = PSI_section_header::size + 4;

}  // namespace

PSI_PMT_Program_Info_Loop::~PSI_PMT_Program_Info_Loop() { release_chain(next); }

int PSI_PMT_Program_Info_Loop::parse(const std::uint8_t* data, int length, int* position,
                                     const NoticeSink& notices) {
    const int first_position = *position;
    BoundedReader reader(data, length, position);
    reader.read(stream_type, 8);
    reader.read(reserved_1, 3);
    reader.read(elementary_PID, 13);
    reader.read(reserved_2, 4);
    reader.read(ES_info_length, 12);
    descriptors = parse_descriptor_loop(data, fixed_size, ES_info_length.value, length, position, notices);
    span = span_up_to(first_position, *position);
    return fixed_size + ES_info_length.value;
}

void PSI_PMT_Program_Info_Loop::dump(const LineSink& sink, const ChildSink& children,
                                     const DescriptorFrame& frame) const {
    for (const PSI_PMT_Program_Info_Loop* entry = this; entry != nullptr; entry = entry->next.get()) {
        print_line(sink, "stream_type: 0x%02X (%s)", entry->stream_type.value,
                   stream_type_text(entry->stream_type.value).c_str());
        print_line(sink, "elementary_PID: 0x%04X (%d)", entry->elementary_PID.value, entry->elementary_PID.value);
        dump_if_present(entry->descriptors, children(sink), children, frame);
    }
}

const std::uint8_t* PSI_PMT::parse(const std::uint8_t* data, int section_size, int* position, int readable,
                                   const NoticeSink& notices) {
    const int first_position = *position;
    const int available = std::max(readable, 0);
    BoundedReader reader(data, available, position);
    header.read(reader);
    reader.read(reserved_3, 3);
    reader.read(PCR_PID, 13);
    reader.read(reserved_4, 4);
    reader.read(program_info_length, 12);
    const int info_length = program_info_length.value;
    program_info_descriptors =
        parse_descriptor_loop(data, bytes_before_program_info, info_length, available, position, notices);
    // The section less its fixed bytes, the program info and the CRC.
    const int loop_offset = bytes_before_program_info + info_length;
    const int loop_size = section_size - loop_offset - PSI_section_header::crc_size;
    const int crc_offset = parse_streams(data, loop_offset, loop_size, available, position, notices);
    read_crc_before_stuffing(data, available, crc_offset, first_position, CRC_32);
    const int end = std::min(crc_offset + PSI_section_header::crc_size, available);
    span = make_span(first_position, first_position + end - 1);
    *position = first_position + end;
    return data + end;
}

int PSI_PMT::parse_streams(const std::uint8_t* data, int offset, int loop_size, int readable, int* position,
                           const NoticeSink& notices) {
    const int loop_end = offset + std::min(loop_size, readable - offset);
    return parse_entry_loop(data, offset, loop_end, streams, position, notices);
}

void PSI_PMT::dump(const LineSink& sink, const ChildSink& children, const DescriptorFrame& frame) const {
    print_line(sink, "program_number: %d (0x%02X)", program_number().value, program_number().value);
    print_line(sink, "PCR_PID: 0x%04X (%d)", PCR_PID.value, PCR_PID.value);
    dump_if_present(program_info_descriptors, children(sink), children, frame);
    dump_if_present(streams, children(sink), children, frame);
    if (CRC_32.value != 0) print_line(sink, "CRC32 = 0x%08X", CRC_32.value);
}

}  // namespace cut2edl
