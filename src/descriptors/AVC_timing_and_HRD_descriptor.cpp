#include "descriptors/AVC_timing_and_HRD_descriptor.h"

namespace cut2edl {

void AVC_timing_and_HRD_descriptor::read_body(BoundedReader& body) {
    body.read(hrd_management_valid_flag, 1);
    body.read(reserved_1, 6);
    body.read(picture_and_timing_info_present, 1);
    if (picture_and_timing_info_present.value) {
        body.read(_90kHz_flag, 1);
        body.read(reserved_2, 7);
        // A time base of exactly 90 kHz needs no ratio to the system clock.
        if (!_90kHz_flag.value) {
            body.read(N, 32);
            body.read(K, 32);
        }
        body.read(num_units_in_tick, 32);
    }
    body.read(fixed_frame_rate_flag, 1);
    body.read(temporal_poc_flag, 1);
    body.read(picture_to_display_conversion_flag, 1);
    body.read(reserved_3, 5);
}

void AVC_timing_and_HRD_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "hrd_management_valid_flag: %s", yes_no(hrd_management_valid_flag.value));
    print_line(sink, "picture_and_timing_info_present: %s", yes_no(picture_and_timing_info_present.value));
    if (picture_and_timing_info_present.value) {
        print_line(sink, "90kHz_flag: %s", yes_no(_90kHz_flag.value));
        if (!_90kHz_flag.value) {
            print_line(sink, "N: %u", N.value);
            print_line(sink, "K: %u", K.value);
        }
        print_line(sink, "num_units_in_tick: %u", num_units_in_tick.value);
    }
    print_line(sink, "fixed_frame_rate_flag: %s", yes_no(fixed_frame_rate_flag.value));
    print_line(sink, "temporal_poc_flag: %s", yes_no(temporal_poc_flag.value));
    print_line(sink, "picture_to_display_conversion_flag: %s", yes_no(picture_to_display_conversion_flag.value));
}

}  // namespace cut2edl
