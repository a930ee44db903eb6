#include "descriptors/local_time_offset_descriptor.h"

#include "descriptors/descriptor_lines.h"
#include "mpeg/value_text.h"

namespace cut2edl {

namespace {

unsigned byte_of(std::uint64_t value, int shift) { return static_cast<unsigned>((value >> shift) & 0xFF); }

}  // namespace

void local_time_offset_descriptor_item::read(BoundedReader& reader) {
    reader.read(country_code, 24);
    reader.read(country_region_id, 6);
    reader.read(reserved, 1);
    reader.read(local_time_offset_polarity, 1);
    reader.read(local_time_offset, 16);
    reader.read(time_of_change, 40);
    reader.read(next_time_offset, 16);
}

void local_time_offset_descriptor_item::render(const LineSink& sink) const {
    const char* const sign = local_time_offset_polarity.value ? "-" : "+";
    sink("Local Time Offset Descriptor");
    print_code_line(sink, "Country Code: ", country_code.value);
    print_line(sink, "Country Region ID: 0x%02X (%s)", country_region_id.value,
               country_region_text(country_region_id.value).c_str());
    print_line(sink, "Time Offset: %s%02X:%02X", sign, byte_of(local_time_offset.value, 8),
               byte_of(local_time_offset.value, 0));
    const auto mjd = static_cast<unsigned>(time_of_change.value >> 24);
    print_line(sink, "Time of next change: %s %02X:%02X:%02X UTC", mjd_date_text(mjd).c_str(),
               byte_of(time_of_change.value, 16), byte_of(time_of_change.value, 8), byte_of(time_of_change.value, 0));
    print_line(sink, "Next Time Offset: %s%02X:%02X", sign, byte_of(next_time_offset.value, 8),
               byte_of(next_time_offset.value, 0));
}

}  // namespace cut2edl
