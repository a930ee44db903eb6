#include "descriptors/private_data_specifier_descriptor.h"

namespace cut2edl {

void private_data_specifier_descriptor::read_body(BoundedReader& body) { body.read(private_data_specifier, 32); }

void private_data_specifier_descriptor::render(const LineSink& sink, const ChildSink&) const {
    sink("Private Data Specifier");
    print_line(sink, "Data: 0x%08X", private_data_specifier.value);
}

}  // namespace cut2edl
