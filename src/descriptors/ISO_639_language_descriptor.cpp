#include "descriptors/ISO_639_language_descriptor.h"

#include "descriptors/descriptor_lines.h"
#include "mpeg/value_text.h"

namespace cut2edl {

void ISO_639_language_descriptor_item::read(BoundedReader& reader) {
    reader.read(ISO_639_language_code, 24);
    reader.read(audio_type, 8);
}

void ISO_639_language_descriptor_item::render(const LineSink& sink) const {
    sink("ISO 639 Language Descriptor");
    print_code_line(sink, "Language Code: ", ISO_639_language_code.value);
    print_line(sink, "Audio Type: %s", audio_type_text(audio_type.value).c_str());
}

}  // namespace cut2edl
