#include "descriptors/AAC_descriptor.h"

#include "descriptors/descriptor_bodies.h"

namespace cut2edl {

void AAC_descriptor::read_body(BoundedReader& body) {
    body.read(profile_and_level, 8);
    // Broadcasts from before the flag byte existed end the body here.
    if (body.remaining() == 0) return;
    body.read(AAC_type_flag, 1);
    body.read(SAOC_DE_flag, 1);
    body.read(reserved_future_use, 6);
    if (AAC_type_flag.value) body.read(AAC_type, 8);
    read_byte_run(body, additional_info, body.remaining());
}

void AAC_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "profile_and_level: 0x%02X", profile_and_level.value);
    // A flag byte that was never read has no span: the short form shows none.
    if (AAC_type_flag.span == 0) return;
    print_line(sink, "AAC_type_flag: %s", yes_no(AAC_type_flag.value));
    print_line(sink, "SAOC_DE_flag: %s", yes_no(SAOC_DE_flag.value));
    if (AAC_type_flag.value) print_line(sink, "AAC_type: 0x%02X", AAC_type.value);
    print_additional_info(sink, additional_info);
}

}  // namespace cut2edl
