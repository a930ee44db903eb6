#include "descriptors/data_stream_alignment_descriptor.h"

#include "descriptors/descriptor_bodies.h"
#include "mpeg/value_text.h"

namespace cut2edl {

void data_stream_alignment_descriptor::read_body(BoundedReader& body) { body.read(alignment_type, 8); }

void data_stream_alignment_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Alignment Type: %s", alignment_type_text(alignment_type.value).c_str());
}

}  // namespace cut2edl
