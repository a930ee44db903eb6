#include "descriptors/multilingual_service_name_descriptor.h"

#include "descriptors/descriptor_lines.h"

namespace cut2edl {

void multilingual_service_name_descriptor::read_body(BoundedReader& body) {
    body.read(ISO_639_language_code, 24);
    body.read(service_provider_name_length, 8);
    read_text(body, service_provider_name, service_provider_name_length.value);
    body.read(service_name_length, 8);
    read_text(body, service_name, service_name_length.value);
}

void multilingual_service_name_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_code_line(sink, "ISO 639 Language Code: ", ISO_639_language_code.value);
    print_line(sink, "Service Provider Name: %s", service_provider_name.value.c_str());
    print_line(sink, "Service Name: %s", service_name.value.c_str());
}

}  // namespace cut2edl
