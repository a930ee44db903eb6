#include "mpeg/mpeg_sequence_header.h"

#include <span>

#include "mpeg/mpeg_extension_header.h"
#include "mpeg/start_code_scanner.h"
#include "mpeg/value_text.h"

namespace cut2edl {

const std::uint8_t* mpeg_sequence_header::parse(const std::uint8_t* data, int length, int* position) {
    BoundedReader reader(data, length, position);
    sequence_header_code = read_start_code(reader);
    reader.read(horizontal_size_value, 12);
    reader.read(vertical_size_value, 12);
    reader.read(aspect_ratio_information, 4);
    reader.read(frame_rate_code, 4);
    reader.read(bit_rate_value, 18);
    reader.read(marker_bit, 1);
    reader.read(vbv_buffer_size_value, 10);
    reader.read(constrained_parameters_flag, 1);
    reader.read(load_intra_quantiser_matrix, 1);
    // The intra matrix is not byte-aligned: it starts at the last bit of byte 11.
    if (load_intra_quantiser_matrix.value) reader.read(intra_quantiser_matrix);
    reader.read(load_non_intra_quantiser_matrix, 1);
    if (load_non_intra_quantiser_matrix.value) reader.read(non_intra_quantiser_matrix);
    span = reader.whole_span();
    return reader.ran_out() ? nullptr : data + reader.consumed();
}

namespace {

constexpr std::uint8_t extension_kind = 0xB5;

}  // namespace

std::shared_ptr<mpeg_sequence_header> parse_sequence_header(const std::uint8_t* data, int length, int* position) {
    auto header = std::make_shared<mpeg_sequence_header>();
    const std::uint8_t* restart = header->parse(data, length, position);
    const std::span<const std::uint8_t> bytes(data, static_cast<std::size_t>(length < 0 ? 0 : length));
    MPEG_Header* last = header.get();
    while (restart != nullptr) {
        const auto found = next_start_code(bytes, static_cast<std::size_t>(restart - data));
        if (!found || data[*found + 3] != extension_kind) break;
        auto extension = std::make_shared<mpeg_extension_header>();
        restart = extension->parse(data + *found, length - static_cast<int>(*found), position);
        last->next = extension;
        last = extension.get();
    }
    return header;
}

const mpeg_sequence_extension* mpeg_sequence_header::sequence_extension() const {
    if (!next || next->kind() != extension_kind) return nullptr;
    const auto* extension = dynamic_cast<const mpeg_sequence_extension*>(
        static_cast<const mpeg_extension_header&>(*next).payload.get());
    return extension != nullptr && extension->frame_rate_extension_d.span != 0 ? extension : nullptr;
}

FrameRateExtension mpeg_sequence_header::frame_rate_extension() const {
    const mpeg_sequence_extension* extension = sequence_extension();
    if (extension == nullptr) return {};
    return {extension->frame_rate_extension_n.value, extension->frame_rate_extension_d.value};
}

void mpeg_sequence_header::render(const LineSink& sink) const {
    print_line(sink, "Size Value (see extension, if any): %d x %d", horizontal_size_value.value,
               vertical_size_value.value);
    print_line(sink, "Aspect Ratio: %s", aspect_ratio_text(aspect_ratio_information.value).c_str());
    print_line(sink, "Frame Rate Value: %s", frame_rate_text(frame_rate_code.value).c_str());
    print_line(sink, "Bit Rate (see extension, if any): %d x 400 b/s", static_cast<int>(bit_rate_value.value));
    print_line(sink, "VBV Buffer Size (see extension, if any): %d x 16 kbytes", vbv_buffer_size_value.value);
    print_line(sink, "Using Constrained Parameters (should be No)? %s", yes_no(constrained_parameters_flag.value));
    print_line(sink, "Load Intra Quantiser Matrix? %s", yes_no(load_intra_quantiser_matrix.value));
    if (load_intra_quantiser_matrix.value) render_matrix(sink, intra_quantiser_matrix.value, "Row %d: ");
    print_line(sink, "Load Non-Intra Quantiser Matrix? %s", yes_no(load_non_intra_quantiser_matrix.value));
    if (load_non_intra_quantiser_matrix.value) render_matrix(sink, non_intra_quantiser_matrix.value, "Row: ");
}

}  // namespace cut2edl
