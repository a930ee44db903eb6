#include "descriptors/subtitling_descriptor.h"

#include "descriptors/descriptor_lines.h"
#include "mpeg/value_text.h"

namespace cut2edl {

namespace {

// The subtitling types are the component types of stream content 3.
constexpr unsigned subtitle_stream_content = 0x03;

}  // namespace

void subtitling_descriptor_item::read(BoundedReader& reader) {
    reader.read(ISO_639_language_code, 24);
    reader.read(subtitling_type, 8);
    reader.read(composition_page_id, 16);
    reader.read(ancillary_page_id, 16);
}

void subtitling_descriptor_item::render(const LineSink& sink) const {
    print_code_line(sink, "ISO_639_language_code: ", ISO_639_language_code.value);
    print_line(sink, "subtitling_type: 0x%02X (%s)", subtitling_type.value,
               component_text(subtitle_stream_content, subtitling_type.value).c_str());
    print_line(sink, "composition_page_id: 0x%04X (%u)", composition_page_id.value, composition_page_id.value);
    print_line(sink, "ancillary_page_id: 0x%04X (%u)", ancillary_page_id.value, ancillary_page_id.value);
}

}  // namespace cut2edl
