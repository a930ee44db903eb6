#include "mpeg/mpeg_picture_header.h"

#include "mpeg/value_text.h"

namespace cut2edl {

namespace {
constexpr unsigned predictive_coded = 2;
constexpr unsigned bidirectionally_predictive_coded = 3;
}  // namespace

mpeg_picture_extra::~mpeg_picture_extra() {
    std::unique_ptr<mpeg_picture_extra> link = std::move(next);
    while (link) link = std::move(link->next);
}

void mpeg_picture_extra::render(const LineSink& sink) const {
    print_line(sink, "%d", extra_information_picture.value);
}

const std::uint8_t* mpeg_picture_header::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    read_start_code(reader);
    reader.read(temporal_reference, 10);
    reader.read(picture_coding_type, 3);
    reader.read(vbv_delay, 16);
    const unsigned type = picture_coding_type.value;
    if (type == predictive_coded || type == bidirectionally_predictive_coded) {
        reader.read(full_pel_forward_vector, 1);
        reader.read(forward_f_code, 3);
    }
    if (type == bidirectionally_predictive_coded) {
        reader.read(full_pel_backward_vector, 1);
        reader.read(backward_f_code, 3);
    }
    read_extra_information(reader);
    span = reader.whole_span();
    // The next search starts at the first byte the cursor has not touched. When
    // the header ends on a byte boundary that byte is the one under the cursor,
    // where the next start code of a well-formed stream begins.
    return reader.ran_out() ? nullptr : data + reader.consumed();
}

// extra_bit_picture, then while it is 1 one extra_information_picture byte and
// the next extra_bit_picture. The end of the buffer ends the loop.
void mpeg_picture_header::read_extra_information(BoundedReader& reader) {
    std::unique_ptr<mpeg_picture_extra>* tail = &extra;
    while (reader.read_bit() == 1) {
        auto byte = std::make_unique<mpeg_picture_extra>();
        reader.read(byte->extra_information_picture, 8);
        if (reader.ran_out()) return;
        byte->span = byte->extra_information_picture.span;
        *tail = std::move(byte);
        tail = &(*tail)->next;
    }
}

void mpeg_picture_header::render(const LineSink& sink) const {
    print_line(sink, "Temporal Reference: %d", temporal_reference.value);
    print_line(sink, "Picture Coding Type: %s", picture_coding_type_text(picture_coding_type.value).c_str());
    print_line(sink, "VBV Delay: %d x 90kHz", vbv_delay.value);
    print_line(sink, "Full PEL Forward Vector (should be 0): %d", full_pel_forward_vector.value);
    print_line(sink, "Forward F Code (should be 7): %d", forward_f_code.value);
    print_line(sink, "Full PEL Backward Vector (should be 0): %d", full_pel_backward_vector.value);
    print_line(sink, "Backward F Code (should be 7): %d", backward_f_code.value);
    for (const mpeg_picture_extra* byte = extra.get(); byte != nullptr; byte = byte->next.get()) byte->render(sink);
}

}  // namespace cut2edl
