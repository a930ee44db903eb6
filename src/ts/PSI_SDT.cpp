#include "ts/PSI_SDT.h"

#include <algorithm>

#include "mpeg/owning_chain.h"
#include "mpeg/value_text.h"
#include "ts/section_loops.h"

namespace cut2edl {

namespace {

// The bytes before the service loop: the section header, original_network_id
// and a reserved byte.
constexpr int bytes_before_services = PSI_section_header::size + 3;

}  // namespace

PSI_SDT_Service::~PSI_SDT_Service() { release_chain(next); }

int PSI_SDT_Service::parse(const std::uint8_t* data, int length, int* position, const NoticeSink& notices) {
    const int first_position = *position;
    BoundedReader reader(data, length, position);
    reader.read(service_id, 16);
    reader.read(reserved_future_use, 6);
    reader.read(EIT_schedule_flag, 1);
    reader.read(EIT_present_following_flag, 1);
    reader.read(running_status, 3);
    reader.read(free_CA_mode, 1);
    reader.read(descriptors_loop_length, 12);
    descriptors = parse_descriptor_loop(data, fixed_size, descriptors_loop_length.value, length, position, notices);
    span = span_up_to(first_position, *position);
    return fixed_size + descriptors_loop_length.value;
}

void PSI_SDT_Service::dump(const LineSink& sink, const ChildSink& children, const DescriptorFrame& frame) const {
    for (const PSI_SDT_Service* entry = this; entry != nullptr; entry = entry->next.get()) {
        print_line(sink, "service_id: %d (0x%04X)", entry->service_id.value, entry->service_id.value);
        print_line(sink, "EIT_schedule_flag: %s", yes_no(entry->EIT_schedule_flag.value));
        print_line(sink, "EIT_present_following_flag: %s", yes_no(entry->EIT_present_following_flag.value));
        print_line(sink, "running_status: %d (%s)", entry->running_status.value,
                   running_status_text(entry->running_status.value).c_str());
        print_line(sink, "free_CA_mode: %s", yes_no(entry->free_CA_mode.value));
        dump_if_present(entry->descriptors, children(sink), children, frame);
    }
}

const std::uint8_t* PSI_SDT::parse(const std::uint8_t* data, int section_size, int* position, int readable,
                                   const NoticeSink& notices) {
    const int first_position = *position;
    const int available = std::max(readable, 0);
    BoundedReader reader(data, available, position);
    header.read(reader);
    reader.read(original_network_id, 16);
    reader.read(reserved_future_use, 8);
    // The CRC_32 ends the section; the services fill what lies between.
    const int crc_offset = section_size - PSI_section_header::crc_size;
    const int loop_end = std::min(crc_offset, available);
    parse_entry_loop(data, bytes_before_services, loop_end, services, position, notices);
    if (crc_offset >= bytes_before_services && section_size <= available) {
        int crc_position = first_position + crc_offset;
        BoundedReader crc(data + crc_offset, PSI_section_header::crc_size, &crc_position);
        crc.read(CRC_32, 32);
    }
    const int end = std::clamp(section_size, std::min(bytes_before_services, available), available);
    span = make_span(first_position, first_position + end - 1);
    *position = first_position + end;
    return data + end;
}

void PSI_SDT::dump(const LineSink& sink, const ChildSink& children, const DescriptorFrame& frame) const {
    print_line(sink, "transport_stream_id: 0x%04X (%d)", transport_stream_id().value, transport_stream_id().value);
    print_line(sink, "original_network_id: 0x%04X (%d)", original_network_id.value, original_network_id.value);
    dump_if_present(services, children(sink), children, frame);
    if (CRC_32.value != 0) print_line(sink, "CRC32 = 0x%08X", CRC_32.value);
}

}  // namespace cut2edl
