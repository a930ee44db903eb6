#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "mpeg/start_code_scanner.h"

namespace cut2edl {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Offset = std::optional<std::size_t>;

Offset whole_in(const Bytes& bytes, std::size_t from, start_code_range passed_over = no_start_codes) {
    return next_start_code(bytes, from, passed_over);
}
Offset previous_in(const Bytes& bytes, std::size_t before) { return previous_start_code_prefix(bytes, before); }

// The obvious byte-by-byte search, to hold the scanner against.
bool prefix_at(const Bytes& bytes, std::size_t at) {
    return at + 3 <= bytes.size() && bytes[at] == 0 && bytes[at + 1] == 0 && bytes[at + 2] == 1;
}
Offset plain_whole(const Bytes& bytes, std::size_t from, start_code_range passed_over) {
    for (std::size_t at = from; at + 4 <= bytes.size(); ++at) {
        const unsigned code = bytes[at + 3];
        if (prefix_at(bytes, at) && !(code >= passed_over.first && code < passed_over.first + passed_over.count)) {
            return at;
        }
    }
    return std::nullopt;
}
Offset plain_previous(const Bytes& bytes, std::size_t before) {
    for (std::size_t at = std::min(before, bytes.size()); at-- > 0;) {
        if (prefix_at(bytes, at)) return at;
    }
    return std::nullopt;
}

TEST(StartCodeScanner, FindsStartCodesAtBothEndsOfTheBuffer) {
    const Bytes first = {0x00, 0x00, 0x01, 0xB3, 0x47};
    EXPECT_EQ(whole_in(first, 0), 0u);
    EXPECT_EQ(previous_in(first, 1), 0u);
    EXPECT_EQ(previous_in(first, 0), std::nullopt);
    const Bytes last = {0x47, 0x12, 0x00, 0x00, 0x01, 0xB3};
    EXPECT_EQ(whole_in(last, 0), 2u);
    EXPECT_EQ(whole_in(last, 2), 2u);
    EXPECT_EQ(whole_in(last, 3), std::nullopt);
    EXPECT_EQ(whole_in(last, 100), std::nullopt);
    // A prefix in the last three bytes has no code byte: no start code, but a prefix.
    const Bytes prefix_last = {0x47, 0x12, 0x00, 0x00, 0x01};
    EXPECT_EQ(whole_in(prefix_last, 0), std::nullopt);
    EXPECT_EQ(previous_in(prefix_last, 5), 2u);
    EXPECT_EQ(previous_in(prefix_last, 100), 2u);
    EXPECT_EQ(previous_in(prefix_last, 2), std::nullopt);
}

TEST(StartCodeScanner, APrefixCutByTheEndIsNone) {
    EXPECT_EQ(whole_in({0x47, 0x00, 0x00}, 0), std::nullopt);
    EXPECT_EQ(previous_in({0x47, 0x00, 0x00}, 3), std::nullopt);
    EXPECT_EQ(whole_in({0x00, 0x01}, 0), std::nullopt);
    EXPECT_EQ(whole_in({}, 0), std::nullopt);
    EXPECT_EQ(previous_in({}, 0), std::nullopt);
    // A 01 at the very start has no room for the zeros before it.
    EXPECT_EQ(whole_in({0x01, 0x00, 0x01, 0xB3}, 0), std::nullopt);
    EXPECT_EQ(previous_in({0x01, 0x00, 0x01}, 3), std::nullopt);
}

TEST(StartCodeScanner, InAZeroRunThePrefixBeginsAtTheLastTwoZeros) {
    const Bytes three_zeros = {0x00, 0x00, 0x00, 0x01, 0xE0};
    EXPECT_EQ(whole_in(three_zeros, 0), 1u);
    EXPECT_EQ(previous_in(three_zeros, 5), 1u);
    EXPECT_EQ(previous_in(three_zeros, 1), std::nullopt);
    Bytes long_run(100000, 0x00);
    EXPECT_EQ(whole_in(long_run, 0), std::nullopt);
    EXPECT_EQ(previous_in(long_run, long_run.size()), std::nullopt);
    long_run.push_back(0x01);
    EXPECT_EQ(whole_in(long_run, 0), std::nullopt);
    EXPECT_EQ(previous_in(long_run, long_run.size()), 99998u);
    long_run.push_back(0xE0);
    EXPECT_EQ(whole_in(long_run, 0), 99998u);
}

TEST(StartCodeScanner, BuffersWithoutPrefixGiveNone) {
    const Bytes ones(4096, 0x01);
    EXPECT_EQ(whole_in(ones, 0), std::nullopt);
    EXPECT_EQ(previous_in(ones, ones.size()), std::nullopt);
    const Bytes near_misses = {0x00, 0x01, 0x00, 0x02, 0x01, 0x00, 0x00, 0x02, 0x01, 0x01, 0x00};
    EXPECT_EQ(whole_in(near_misses, 0), std::nullopt);
    EXPECT_EQ(previous_in(near_misses, near_misses.size()), std::nullopt);
    EXPECT_EQ(whole_in(near_misses, 1000), std::nullopt);
}

TEST(StartCodeScanner, OverlappingPrefixesAreEachFound) {
    const Bytes bytes = {0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0xB3};
    EXPECT_EQ(whole_in(bytes, 0), 0u);
    EXPECT_EQ(whole_in(bytes, 1), 3u);
    EXPECT_EQ(previous_in(bytes, bytes.size()), 3u);
    EXPECT_EQ(previous_in(bytes, 3), 0u);
}

TEST(StartCodeScanner, ASearchPassesOverTheCodesOfARange) {
    const Bytes bytes = {0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0xB3, 0x00, 0x00, 0x01, 0xE0, 0x00, 0x00, 0x01, 0x00};
    EXPECT_EQ(whole_in(bytes, 0), 0u);
    EXPECT_EQ(whole_in(bytes, 0, start_codes_below(0xB3)), 4u);
    EXPECT_EQ(whole_in(bytes, 0, start_codes_below(0xB4)), 8u);
    EXPECT_EQ(whole_in(bytes, 5, start_codes_below(0xB3)), 8u);
    EXPECT_EQ(whole_in(bytes, 9, start_codes_below(0xB3)), std::nullopt);
    EXPECT_EQ(whole_in(bytes, 0, slice_start_codes), 4u);
    EXPECT_EQ(whole_in(bytes, 9, slice_start_codes), 12u);
    EXPECT_EQ(whole_in(bytes, 0, {0xB3, 0x2E}), 0u);
    EXPECT_EQ(whole_in(bytes, 1, {0xB3, 0x2E}), 12u);
    EXPECT_EQ(whole_in(bytes, 1, {0x00, 0xFF}), std::nullopt);
    // A code byte of 0 that is passed over still begins the next prefix.
    EXPECT_EQ(whole_in({0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0xBA}, 0, start_codes_below(0xB9)), 3u);
}

TEST(StartCodeScanner, AgreesWithAPlainSearchFromEveryOffset) {
    // Prefixes in a row, 01 bytes behind 01 and behind a single zero, a
    // prefix whose 01 starts the next one's zeros, and a 01 at each end.
    const std::vector<Bytes> buffers = {
        {0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x47, 0x01},
        {0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01, 0xFF, 0x00, 0x00, 0x02, 0x00, 0x00, 0x01},
        {0x00, 0x00, 0x01, 0x01, 0x00, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00},
        {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x01, 0x00, 0x00, 0x01},
    };
    for (const Bytes& bytes : buffers) {
        for (std::size_t at = 0; at <= bytes.size() + 1; ++at) {
            EXPECT_EQ(whole_in(bytes, at), plain_whole(bytes, at, no_start_codes)) << "from " << at;
            EXPECT_EQ(previous_in(bytes, at), plain_previous(bytes, at)) << "before " << at;
            EXPECT_EQ(whole_in(bytes, at, slice_start_codes), plain_whole(bytes, at, slice_start_codes)) << "from " << at;
        }
    }
    // The same buffers one after another, each shifted by a filler byte more,
    // so that their start codes meet every position of a wide search step.
    Bytes long_buffer;
    for (std::size_t shift = 0; shift < 70; ++shift) {
        long_buffer.insert(long_buffer.end(), shift % 7, 0xFF);
        long_buffer.insert(long_buffer.end(), buffers[shift % buffers.size()].begin(),
                           buffers[shift % buffers.size()].end());
        long_buffer.push_back(static_cast<std::uint8_t>(0xB0 + shift % 0x40));
    }
    for (std::size_t at = 0; at <= long_buffer.size(); ++at) {
        ASSERT_EQ(previous_in(long_buffer, at), plain_previous(long_buffer, at)) << "before " << at;
        for (const start_code_range range : {no_start_codes, slice_start_codes, start_codes_below(0xBD),
                                             start_code_range{0xB3, 0x2E}}) {
            ASSERT_EQ(whole_in(long_buffer, at, range), plain_whole(long_buffer, at, range)) << "from " << at;
        }
    }
}

}  // namespace
}  // namespace cut2edl
