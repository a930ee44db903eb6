#include "descriptors/service_list_descriptor.h"

#include "mpeg/value_text.h"

namespace cut2edl {

void service_list_descriptor_item::read(BoundedReader& reader) {
    reader.read(service_id, 16);
    reader.read(service_type, 8);
}

void service_list_descriptor_item::render(const LineSink& sink) const {
    sink("Service List Item");
    print_line(sink, "Service ID: 0x%04X", service_id.value);
    print_line(sink, "Service Type: %s", service_type_text(service_type.value).c_str());
}

}  // namespace cut2edl
