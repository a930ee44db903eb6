#include "descriptors/parental_rating_descriptor.h"

#include "descriptors/descriptor_lines.h"
#include "mpeg/value_text.h"

namespace cut2edl {

void parental_rating_item::read(BoundedReader& reader) {
    reader.read(country_code, 24);
    reader.read(rating, 8);
}

void parental_rating_item::render(const LineSink& sink) const {
    print_code_line(sink, "Country: ", country_code.value);
    print_line(sink, "Rating: %s", parental_rating_text(rating.value).c_str());
}

}  // namespace cut2edl
