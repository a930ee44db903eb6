#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

// Tables of the meanings that renderings show beside coded values.
namespace cut2edl::value_table {

inline constexpr std::string_view not_defined = "ERROR: not defined!";

// An inclusive range of codes; a single code is a range of one.
struct Codes {
    constexpr Codes(unsigned code) : low(code), high(code) {}
    constexpr Codes(unsigned low_code, unsigned high_code) : low(low_code), high(high_code) {}

    constexpr bool holds(unsigned value) const { return low <= value && value <= high; }

    unsigned low;
    unsigned high;
};

struct Row {
    Codes codes;
    std::string_view text;
};

// Rows are scanned in order and the first that holds the key wins; "ERROR:
// not defined!" when none does.
template <typename Rows, typename Holds>
std::string first_match(const Rows& rows, Holds holds) {
    const auto row = std::ranges::find_if(rows, holds);
    return std::string(row == std::ranges::end(rows) ? not_defined : row->text);
}

inline std::string text_of(std::span<const Row> rows, unsigned value) {
    return first_match(rows, [value](const Row& row) { return row.codes.holds(value); });
}

}  // namespace cut2edl::value_table
