#include "descriptors/teletext_descriptor.h"

#include "descriptors/descriptor_lines.h"
#include "mpeg/value_text.h"

namespace cut2edl {

void teletext_descriptor_item::read(BoundedReader& reader) {
    reader.read(ISO_639_language_code, 24);
    reader.read(teletext_type, 5);
    reader.read(teletext_magazine_number, 3);
    reader.read(teletext_page_number, 8);
}

void teletext_descriptor_item::render(const LineSink& sink) const {
    print_code_line(sink, "ISO_639_language_code: ", ISO_639_language_code.value);
    print_line(sink, "teletext_type: 0x%02X (%s)", teletext_type.value, teletext_type_text(teletext_type.value).c_str());
    print_line(sink, "magazine: %d, page: %d", teletext_magazine_number.value, teletext_page_number.value);
}

}  // namespace cut2edl
