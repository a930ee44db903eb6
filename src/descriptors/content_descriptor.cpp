#include "descriptors/content_descriptor.h"

#include "mpeg/value_text.h"

namespace cut2edl {

void content_item::read(BoundedReader& reader) {
    reader.read(content_nibble_level_1, 4);
    reader.read(content_nibble_level_2, 4);
    reader.read(user_nibble_1, 4);
    reader.read(user_nibble_2, 4);
}

void content_item::render(const LineSink& sink) const {
    print_line(sink, "Content Description: %s",
               content_text(content_nibble_level_1.value, content_nibble_level_2.value).c_str());
    print_line(sink, "User Nibbles: 0x%X 0x%X", user_nibble_1.value, user_nibble_2.value);
}

}  // namespace cut2edl
