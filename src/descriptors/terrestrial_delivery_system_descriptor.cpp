#include "descriptors/terrestrial_delivery_system_descriptor.h"

#include "descriptors/descriptor_lines.h"
#include "mpeg/value_text.h"

namespace cut2edl {

void terrestrial_delivery_system_descriptor::read_body(BoundedReader& body) {
    body.read(centre_frequency, 32);
    body.read(bandwidth, 3);
    body.read(reserved_future_use_1, 5);
    body.read(constellation, 2);
    body.read(hierarchy_information, 3);
    body.read(code_rate_HP_stream, 3);
    body.read(code_rate_LP_stream, 3);
    body.read(guard_interval, 2);
    body.read(transmission_mode, 2);
    body.read(other_frequency_flag, 1);
    body.read(reserved_future_use_2, 32);
}

void terrestrial_delivery_system_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Centre Frequency: %.3f MHz", centre_frequency.value / 100000.0);
    print_line(sink, "Bandwidth: %s", bandwidth_text(bandwidth.value).c_str());
    print_line(sink, "Constellation: %s", constellation_text(constellation.value).c_str());
    print_line(sink, "Hierarchy Information: %s", hierarchy_information_text(hierarchy_information.value).c_str());
    print_line(sink, "Code Rate - HP Stream: %s", code_rate_text(code_rate_HP_stream.value).c_str());
    print_line(sink, "Code Rate - LP Stream: %s", code_rate_text(code_rate_LP_stream.value).c_str());
    print_line(sink, "Guard Interval: %s", guard_interval_text(guard_interval.value).c_str());
    print_line(sink, "Transmission Mode: %s", transmission_mode_text(transmission_mode.value).c_str());
    print_line(sink, "Other Frequency Flag: %s", lower_yes_no(other_frequency_flag.value));
}

}  // namespace cut2edl
