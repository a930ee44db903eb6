#include "mpeg/start_code_scanner.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define CUT2EDL_AVX2_SCAN 1
#endif

namespace cut2edl {

namespace {

constexpr std::uint8_t prefix_end = 0x01;
constexpr std::size_t prefix_size = 3;
constexpr std::size_t start_code_size = 4;

bool ends_prefix(const std::uint8_t* one) { return one[-1] == 0 && one[-2] == 0; }

// The first start code at or after `from` whose code byte is at least
// `lowest`, among those that begin before `starts` (each has its code byte
// in the data); `starts` when there is none. Hops from one 01 byte to the
// next with memchr.
std::size_t find_with_memchr(const std::uint8_t* data, std::size_t from, std::size_t starts, std::uint8_t lowest) {
    const std::uint8_t* const end = data + starts + prefix_size - 1;
    const std::uint8_t* at = data + from + prefix_size - 1;
    while (at < end) {
        const auto* one = static_cast<const std::uint8_t*>(std::memchr(at, prefix_end, static_cast<std::size_t>(end - at)));
        if (one == nullptr) break;
        if (ends_prefix(one) && one[1] >= lowest) return static_cast<std::size_t>(one - data) - (prefix_size - 1);
        // The 01 is no zero, so the next prefix ends three bytes on at the earliest.
        at = one + prefix_size;
    }
    return starts;
}

#ifdef CUT2EDL_AVX2_SCAN

__attribute__((target("avx2"))) inline __m256i load(const std::uint8_t* at) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}

// A byte set for each of the 32 start codes beginning at `at` that qualify.
__attribute__((target("avx2"))) inline __m256i start_codes_at(const std::uint8_t* at, __m256i lowest) {
    const __m256i zeros = _mm256_cmpeq_epi8(_mm256_or_si256(load(at), load(at + 1)), _mm256_setzero_si256());
    const __m256i ones = _mm256_cmpeq_epi8(load(at + 2), _mm256_set1_epi8(prefix_end));
    const __m256i code = load(at + 3);
    const __m256i high = _mm256_cmpeq_epi8(_mm256_max_epu8(code, lowest), code);
    return _mm256_and_si256(_mm256_and_si256(zeros, ones), high);
}

// As find_with_memchr, 64 start positions a step, leaving the last ones to it.
__attribute__((target("avx2"))) std::size_t find_with_avx2(const std::uint8_t* data, std::size_t from,
                                                           std::size_t starts, std::uint8_t lowest) {
    constexpr std::size_t step = 64;
    const __m256i lowest_code = _mm256_set1_epi8(static_cast<char>(lowest));
    std::size_t at = from;
    for (; at + step <= starts; at += step) {
        const __m256i low = start_codes_at(data + at, lowest_code);
        const __m256i high = start_codes_at(data + at + step / 2, lowest_code);
        const __m256i any = _mm256_or_si256(low, high);
        if (_mm256_testz_si256(any, any)) continue;
        const std::uint64_t found = std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(low))} |
                                    std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(high))} << 32;
        return at + static_cast<std::size_t>(std::countr_zero(found));
    }
    return find_with_memchr(data, at, starts, lowest);
}

#endif

std::size_t find_start_code(const std::uint8_t* data, std::size_t from, std::size_t starts, std::uint8_t lowest) {
#ifdef CUT2EDL_AVX2_SCAN
    static const bool has_avx2 = __builtin_cpu_supports("avx2");
    if (has_avx2) return find_with_avx2(data, from, starts, lowest);
#endif
    return find_with_memchr(data, from, starts, lowest);
}

// The last 01 byte in [begin, end).
const std::uint8_t* last_prefix_end(const std::uint8_t* begin, const std::uint8_t* end) {
#if defined(__GLIBC__)
    return static_cast<const std::uint8_t*>(memrchr(begin, prefix_end, static_cast<std::size_t>(end - begin)));
#else
    // Without memrchr: windows taken from the end, each searched forwards.
    constexpr std::ptrdiff_t window = 256;
    while (end > begin) {
        const std::uint8_t* low = end - std::min(window, end - begin);
        const void* last = nullptr;
        for (const void* hit = std::memchr(low, prefix_end, static_cast<std::size_t>(end - low)); hit != nullptr;
             hit = std::memchr(static_cast<const std::uint8_t*>(hit) + 1, prefix_end,
                               static_cast<std::size_t>(end - static_cast<const std::uint8_t*>(hit) - 1))) {
            last = hit;
        }
        if (last != nullptr) return static_cast<const std::uint8_t*>(last);
        end = low;
    }
    return nullptr;
#endif
}

}  // namespace

std::optional<std::size_t> next_start_code(std::span<const std::uint8_t> bytes, std::size_t from,
                                           std::uint8_t lowest_code) {
    if (bytes.size() < start_code_size) return std::nullopt;
    const std::size_t starts = bytes.size() - start_code_size + 1;
    if (from >= starts) return std::nullopt;
    const std::size_t found = find_start_code(bytes.data(), from, starts, lowest_code);
    if (found == starts) return std::nullopt;
    return found;
}

std::optional<std::size_t> next_start_code_prefix(std::span<const std::uint8_t> bytes, std::size_t from) {
    if (const auto whole = next_start_code(bytes, from)) return whole;
    if (bytes.size() < prefix_size) return std::nullopt;
    const std::size_t last = bytes.size() - prefix_size;
    if (from > last || !ends_prefix(bytes.data() + last + prefix_size - 1) || bytes[last + 2] != prefix_end) {
        return std::nullopt;
    }
    return last;
}

std::optional<std::size_t> previous_start_code_prefix(std::span<const std::uint8_t> bytes, std::size_t before) {
    if (bytes.size() < prefix_size) return std::nullopt;
    const std::uint8_t* const data = bytes.data();
    const std::uint8_t* const lowest = data + prefix_size - 1;
    const std::uint8_t* end = data + std::min(before, bytes.size() - prefix_size + 1) + prefix_size - 1;
    while (end > lowest) {
        const std::uint8_t* one = last_prefix_end(lowest, end);
        if (one == nullptr) return std::nullopt;
        if (ends_prefix(one)) return static_cast<std::size_t>(one - data) - (prefix_size - 1);
        end = one;
    }
    return std::nullopt;
}

}  // namespace cut2edl
