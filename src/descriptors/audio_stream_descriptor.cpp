#include "descriptors/audio_stream_descriptor.h"

#include "mpeg/value_text.h"

namespace cut2edl {

void audio_stream_descriptor::read_body(BoundedReader& body) {
    body.read(free_format_flag, 1);
    body.read(ID, 1);
    body.read(layer, 2);
    body.read(variable_rate_audio_indicator, 1);
    body.read(reserved, 3);
}

void audio_stream_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Free Format: %s", yes_no(free_format_flag.value));
    print_line(sink, "ID: %d", ID.value);
    print_line(sink, "Layer: %s", audio_layer_text(layer.value).c_str());
    print_line(sink, "Variable Rate Audio: %s", yes_no(variable_rate_audio_indicator.value));
}

}  // namespace cut2edl
