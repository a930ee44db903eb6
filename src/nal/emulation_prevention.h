#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace cut2edl {

// The bytes of [data, data + length) without the emulation_prevention_three_byte
// of each 00 00 03 (the 03 goes, whatever follows it, also at the very end),
// so that a parser reads the raw byte sequence payload (RBSP) the encoder
// escaped. Spans that a parser takes on the result are positions in these
// unescaped bytes, not in the NAL unit.
std::vector<std::uint8_t> remove_emulation_prevention(const std::uint8_t* data, int length);

// The parameter set that the NAL unit of `length` bytes at `unit` carries
// behind its `header_bytes`-byte NAL unit header, parsed from its RBSP with
// spans counted from `first_position`.
template <typename ParameterSet>
std::unique_ptr<ParameterSet> parse_rbsp(const std::uint8_t* unit, int length, int header_bytes, int first_position) {
    const std::vector<std::uint8_t> rbsp = remove_emulation_prevention(unit + header_bytes, length - header_bytes);
    auto parameter_set = std::make_unique<ParameterSet>();
    int position = first_position;
    parameter_set->parse(rbsp.data(), static_cast<int>(rbsp.size()), &position);
    return parameter_set;
}

}  // namespace cut2edl
