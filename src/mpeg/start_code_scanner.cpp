#include "mpeg/start_code_scanner.h"

#include <algorithm>
#include <bit>
#include <cstring>

// The C library's record of the processor's features costs nothing to ask,
// unlike the compiler's, whose start-up code asks the processor itself.
#if defined(__x86_64__) && defined(__GNUC__) && __has_include(<sys/platform/x86.h>)
#include <immintrin.h>
#if defined(__clang__)
// The header is written in C, whose boolean type only GCC also knows in C++.
#define _Bool bool
#include <sys/platform/x86.h>
#undef _Bool
#else
#include <sys/platform/x86.h>
#endif
#define CUT2EDL_AVX2_SCAN 1
#endif

namespace cut2edl {

namespace {

constexpr std::uint8_t prefix_end = 0x01;
constexpr std::size_t prefix_size = 3;
constexpr std::size_t start_code_size = 4;

bool ends_prefix(const std::uint8_t* one) { return one[-1] == 0 && one[-2] == 0; }

bool passed_over(std::uint8_t code, start_code_range range) {
    return static_cast<std::uint8_t>(code - range.first) < range.count;
}

// The first start code at or after `from` whose code byte is not in
// `skipped`, among those that begin before `starts` (each has its code byte
// in the data); `starts` when there is none. Hops from one 01 byte to the
// next with memchr.
std::size_t find_with_memchr(const std::uint8_t* data, std::size_t from, std::size_t starts,
                             start_code_range skipped) {
    const std::uint8_t* const end = data + starts + prefix_size - 1;
    const std::uint8_t* at = data + from + prefix_size - 1;
    while (at < end) {
        const auto* one = static_cast<const std::uint8_t*>(std::memchr(at, prefix_end, static_cast<std::size_t>(end - at)));
        if (one == nullptr) break;
        if (ends_prefix(one) && !passed_over(one[1], skipped)) return static_cast<std::size_t>(one - data) - (prefix_size - 1);
        // The 01 is no zero, so the next prefix ends three bytes on at the earliest.
        at = one + prefix_size;
    }
    return starts;
}

#ifdef CUT2EDL_AVX2_SCAN

__attribute__((target("avx2"))) inline __m256i load(const std::uint8_t* at) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}

// A byte for each of the 32 positions from `at`: zero exactly where a start
// code begins whose code byte is not skipped. `first` and `count` hold the
// skipped range in every byte; code - first, wrapping, lies below count only
// inside it, and a saturating count - (code - first) is zero only outside.
__attribute__((target("avx2"))) inline __m256i misses_at(const std::uint8_t* at, __m256i first, __m256i count) {
    const __m256i zeros = _mm256_or_si256(load(at), load(at + 1));
    const __m256i one = _mm256_xor_si256(load(at + 2), _mm256_set1_epi8(prefix_end));
    const __m256i code = _mm256_subs_epu8(count, _mm256_sub_epi8(load(at + 3), first));
    return _mm256_or_si256(_mm256_or_si256(zeros, one), code);
}

__attribute__((target("avx2"))) inline std::uint32_t hits_of(__m256i misses) {
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(misses, _mm256_setzero_si256())));
}

// As find_with_memchr, 64 start positions a step, leaving the last ones to it.
__attribute__((target("avx2"))) std::size_t find_with_avx2(const std::uint8_t* data, std::size_t from,
                                                           std::size_t starts, start_code_range skipped) {
    constexpr std::size_t step = 64;
    const __m256i first = _mm256_set1_epi8(static_cast<char>(skipped.first));
    const __m256i count = _mm256_set1_epi8(static_cast<char>(skipped.count));
    std::size_t at = from;
    for (; at + step <= starts; at += step) {
        const __m256i low = misses_at(data + at, first, count);
        const __m256i high = misses_at(data + at + step / 2, first, count);
        const __m256i hits = _mm256_cmpeq_epi8(_mm256_min_epu8(low, high), _mm256_setzero_si256());
        if (_mm256_testz_si256(hits, hits)) continue;
        const std::uint64_t found = std::uint64_t{hits_of(low)} | std::uint64_t{hits_of(high)} << 32;
        return at + static_cast<std::size_t>(std::countr_zero(found));
    }
    return find_with_memchr(data, at, starts, skipped);
}

#endif

std::size_t find_start_code(const std::uint8_t* data, std::size_t from, std::size_t starts,
                            start_code_range skipped) {
#ifdef CUT2EDL_AVX2_SCAN
    static const bool has_avx2 = CPU_FEATURE_ACTIVE(AVX2);
    if (has_avx2) return find_with_avx2(data, from, starts, skipped);
#endif
    return find_with_memchr(data, from, starts, skipped);
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
                                           start_code_range passed_over) {
    if (bytes.size() < start_code_size) return std::nullopt;
    const std::size_t starts = bytes.size() - start_code_size + 1;
    if (from >= starts) return std::nullopt;
    const std::size_t found = find_start_code(bytes.data(), from, starts, passed_over);
    if (found == starts) return std::nullopt;
    return found;
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
