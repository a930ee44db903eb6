#include "mpeg/mpeg_pes_header_parts.h"

namespace cut2edl {

void pes_clock_value::read(BoundedReader& reader) {
    reader.read(bits_32_30, 3);
    reader.read(marker_bit_1, 1);
    reader.read(bits_29_15, 15);
    reader.read(marker_bit_2, 1);
    reader.read(bits_14_0, 15);
    reader.read(marker_bit_3, 1);
}

std::uint64_t pes_clock_value::value() const {
    return std::uint64_t{bits_32_30.value} << 30 | std::uint64_t{bits_29_15.value} << 15 | bits_14_0.value;
}

void read_byte_run(BoundedReader& reader, ByteRun& run, int count) {
    const int first = reader.consumed();
    run.value.clear();
    while (static_cast<int>(run.value.size()) < count && reader.remaining() > 0 && !reader.ran_out()) {
        run.value.push_back(static_cast<std::uint8_t>(reader.read_bits(8)));
    }
    if (!run.value.empty()) run.span = reader.span_of(first, reader.consumed() - 1);
}

void print_byte_list(const LineSink& sink, const char* label, const std::vector<std::uint8_t>& bytes) {
    std::string line = label;
    for (const std::uint8_t byte : bytes) append_text(line, " 0x%02X", byte);
    sink(line);
}

}  // namespace cut2edl
