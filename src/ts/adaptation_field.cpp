#include "ts/adaptation_field.h"

#include <cinttypes>

namespace cut2edl {

namespace {

void print_clock_reference(const LineSink& sink, const char* name, const clock_reference& clock) {
    print_line(sink, "%s Base: %" PRIu64, name, clock.base.value);
    print_line(sink, "%s Extension: %d", name, clock.extension.value);
}

}  // namespace

void clock_reference::read(BoundedReader& reader) {
    const int first = reader.consumed();
    reader.read(base, 33);
    reader.read(reserved, 6);
    reader.read(extension, 9);
    span = reader.span_since(first);
}

const std::uint8_t* adaptation_field::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader head(data, length, position);
    head.read(adaptation_field_length, 8);
    BoundedReader reader = head.slice(adaptation_field_length.value);
    if (adaptation_field_length.value > 0) read_flagged_parts(reader);
    head.skip_bytes(reader.size());
    span = head.whole_span();
    return data + head.consumed();
}

void adaptation_field::read_flagged_parts(BoundedReader& reader) {
    reader.read(discontinuity_indicator, 1);
    reader.read(random_access_indicator, 1);
    reader.read(elementary_stream_priority_indicator, 1);
    reader.read(PCR_flag, 1);
    reader.read(OPCR_flag, 1);
    reader.read(splicing_point_flag, 1);
    reader.read(transport_private_data_flag, 1);
    reader.read(adaptation_field_extension_flag, 1);
    if (PCR_flag.value) program_clock_reference.read(reader);
    if (OPCR_flag.value) original_program_clock_reference.read(reader);
    if (splicing_point_flag.value) reader.read(splice_countdown, 8);
    if (transport_private_data_flag.value) {
        const int first = reader.consumed();
        reader.read(transport_private_data_length, 8);
        read_byte_run(reader, private_data, transport_private_data_length.value);
        private_data_span = reader.span_since(first);
    }
    if (adaptation_field_extension_flag.value) read_extension(reader);
}

void adaptation_field::read_extension(BoundedReader& reader) {
    const int first = reader.consumed();
    reader.read(adaptation_field_extension_length, 8);
    reader.read(ltw_flag, 1);
    reader.read(piecewise_rate_flag, 1);
    reader.read(seamless_splice_flag, 1);
    reader.read(extension_reserved, 5);
    if (ltw_flag.value) {
        reader.read(ltw_valid_flag, 1);
        reader.read(ltw_offset, 15);
    }
    if (piecewise_rate_flag.value) {
        reader.read(piecewise_rate_reserved, 2);
        reader.read(piecewise_rate, 22);
    }
    if (seamless_splice_flag.value) {
        reader.read(splice_type, 4);
        DTS_next_AU.read(reader);
    }
    extension_span = reader.span_since(first);
}

void adaptation_field::dump(const LineSink& sink) const {
    print_line(sink, "Discontinuity Indicator: %s", yes_no(discontinuity_indicator.value));
    print_line(sink, "Random Access Indicator: %s", yes_no(random_access_indicator.value));
    print_line(sink, "Elementary Stream Priority Indicator: %s", yes_no(elementary_stream_priority_indicator.value));
    if (PCR_flag.value) print_clock_reference(sink, "PCR", program_clock_reference);
    if (OPCR_flag.value) print_clock_reference(sink, "OPCR", original_program_clock_reference);
    if (splicing_point_flag.value) print_line(sink, "Splice Countdown: %d", splice_countdown.value);
    if (transport_private_data_flag.value) print_byte_list(sink, "Bytes: ", private_data.value, ByteSpacing::after);
    if (adaptation_field_extension_flag.value) render_extension(sink);
}

void adaptation_field::render_extension(const LineSink& sink) const {
    if (ltw_flag.value) {
        print_line(sink, "LTW Valid: %s", yes_no(ltw_valid_flag.value));
        print_line(sink, "LTW Offset: %d", ltw_offset.value);
    }
    if (piecewise_rate_flag.value) print_line(sink, "Rate: %u", piecewise_rate.value);
    if (seamless_splice_flag.value) {
        print_line(sink, "Splice Type: 0x%02X", splice_type.value);
        print_line(sink, "DTS Next: 0x%04" PRIX64, DTS_next_AU.value());
    }
}

}  // namespace cut2edl
