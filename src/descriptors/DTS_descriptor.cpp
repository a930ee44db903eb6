#include "descriptors/DTS_descriptor.h"

#include "descriptors/descriptor_bodies.h"

namespace cut2edl {

namespace {

// DTS codes three families of rates, each a power of two times 8, 11.025 or
// 12 kHz; the codes between them are not used.
const char* sample_rate_text(unsigned sample_rate_code) {
    switch (sample_rate_code) {
        case 1: return "8 kHz";
        case 2: return "16 kHz";
        case 3: return "32 kHz";
        case 6: return "11.025 kHz";
        case 7: return "22.05 kHz";
        case 8: return "44.1 kHz";
        case 11: return "12 kHz";
        case 12: return "24 kHz";
        case 13: return "48 kHz";
        default: return "invalid";
    }
}

}  // namespace

void DTS_descriptor::read_body(BoundedReader& body) {
    body.read(sample_rate_code, 4);
    body.read(bit_rate_code, 6);
    body.read(nblks, 7);
    body.read(fsize, 14);
    body.read(surround_mode, 6);
    body.read(lfe_flag, 1);
    body.read(extended_surround_flag, 2);
    read_byte_run(body, additional_info, body.remaining());
}

void DTS_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "sample_rate_code: %u (%s)", sample_rate_code.value, sample_rate_text(sample_rate_code.value));
    print_line(sink, "bit_rate_code: %u", bit_rate_code.value);
    print_line(sink, "nblks: %u", nblks.value);
    print_line(sink, "fsize: %u", fsize.value);
    print_line(sink, "surround_mode: %u", surround_mode.value);
    print_line(sink, "lfe_flag: %s", yes_no(lfe_flag.value));
    print_line(sink, "extended_surround_flag: %u", extended_surround_flag.value);
    print_additional_info(sink, additional_info);
}

}  // namespace cut2edl
