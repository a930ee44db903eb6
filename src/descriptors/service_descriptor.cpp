#include "descriptors/service_descriptor.h"

#include "mpeg/value_text.h"

namespace cut2edl {

void service_descriptor::read_body(BoundedReader& body) {
    body.read(service_type, 8);
    body.read(service_provider_name_length, 8);
    read_text(body, service_provider_name, service_provider_name_bytes, service_provider_name_length.value);
    body.read(service_name_length, 8);
    read_text(body, service_name, service_name_bytes, service_name_length.value);
}

void service_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "service_type: %d (%s)", service_type.value, service_type_text(service_type.value).c_str());
    print_line(sink, "Service Provider Name: %s", service_provider_name.value.c_str());
    print_line(sink, "Service Name: %s", service_name.value.c_str());
}

}  // namespace cut2edl
