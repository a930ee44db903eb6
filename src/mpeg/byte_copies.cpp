#include "mpeg/byte_copies.h"

#include <algorithm>

namespace cut2edl {

void read_byte_run(BoundedReader& reader, ByteRun& run, int count) {
    const int first = reader.consumed();
    const int available = reader.ran_out() ? 0 : std::clamp(count, 0, reader.remaining());
    run.value.resize(static_cast<std::size_t>(available));
    if (available == 0) return;
    reader.read_bytes(run.value.data(), run.value.size(), run.span);
    run.span = reader.span_of(first, reader.consumed() - 1);
}

void read_text(BoundedReader& reader, TextCopy& text, int count) {
    ByteRun bytes;
    read_text(reader, text, bytes, count);
}

void read_text(BoundedReader& reader, TextCopy& text, ByteRun& bytes, int count) {
    read_byte_run(reader, bytes, count);
    const auto end = std::find(bytes.value.begin(), bytes.value.end(), std::uint8_t{0});
    text.value.assign(bytes.value.begin(), end);
    text.span = bytes.span;
}

void print_byte_list(const LineSink& sink, const char* label, const std::vector<std::uint8_t>& bytes,
                     ByteSpacing spacing) {
    const char* const format = spacing == ByteSpacing::before  ? " 0x%02X"
                               : spacing == ByteSpacing::after ? "0x%02X "
                                                               : " 0x%02X ";
    std::string line = label;
    for (const std::uint8_t byte : bytes) append_text(line, format, byte);
    sink(line);
}

}  // namespace cut2edl
