#include "descriptors/dvb_text.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

namespace cut2edl {

namespace {

constexpr char32_t replacement = 0xFFFD;

// The default table's upper half, 0xA0-0xFF: ISO/IEC 6937 with the euro sign
// at 0xA4; 0 where it assigns nothing. 0xC1-0xCF are the non-spacing marks.
constexpr std::array<char16_t, 96> default_upper_half = {
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AC, 0x00A5, 0,      0x00A7,  // A0
    0x00A4, 0x2018, 0x201C, 0x00AB, 0x2190, 0x2191, 0x2192, 0x2193,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00D7, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00F7, 0x2019, 0x201D, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // B8
    0,      0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307,  // C0
    0x0308, 0,      0x030A, 0x0327, 0,      0x030B, 0x0328, 0x030C,  // C8
    0x2015, 0x00B9, 0x00AE, 0x00A9, 0x2122, 0x266A, 0x00AC, 0x00A6,  // D0
    0,      0,      0,      0,      0x215B, 0x215C, 0x215D, 0x215E,  // D8
    0x2126, 0x00C6, 0x0110, 0x00AA, 0x0126, 0,      0x0132, 0x013F,  // E0
    0x0141, 0x00D8, 0x0152, 0x00BA, 0x00DE, 0x0166, 0x014A, 0x0149,  // E8
    0x0138, 0x00E6, 0x0111, 0x00F0, 0x0127, 0x0131, 0x0133, 0x0140,  // F0
    0x0142, 0x00F8, 0x0153, 0x00DF, 0x00FE, 0x0167, 0x014B, 0x00AD,  // F8
};

bool is_combining_mark(std::uint8_t byte) { return byte >= 0xC1 && byte <= 0xCF; }

// Control codes: C0, DEL, C1 (where the single-byte tables put emphasis and
// line breaks), and the same codes in the private range of the wide tables.
bool is_control(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xE080 && c <= 0xE09F); }

void append_utf8(std::string& out, char32_t c) {
    if (is_control(c)) return;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = replacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t default_table(std::uint8_t byte) {
    if (byte < 0xA0) return byte;  // ASCII, and the controls that are dropped
    const char16_t c = default_upper_half[byte - 0xA0];
    return c == 0 ? replacement : c;
}

std::string from_default_table(std::span<const std::uint8_t> text) {
    std::string out;
    std::optional<char32_t> mark;
    for (const std::uint8_t byte : text) {
        if (is_combining_mark(byte)) {
            if (mark) append_utf8(out, *mark);  // a mark on a mark: both stand alone
            mark = default_table(byte);
            continue;
        }
        append_utf8(out, default_table(byte));
        if (mark) append_utf8(out, *mark);
        mark.reset();
    }
    if (mark) append_utf8(out, *mark);
    return out;
}

// The code points of `text` in the named character set, through the C
// library's converter; every byte that does not convert is U+FFFD, and with
// no converter for the set so is every byte beyond ASCII.
std::string through_iconv(const char* charset, std::span<const std::uint8_t> text) {
    std::string out;
    const iconv_t converter = iconv_open("UTF-32LE", charset);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        for (const std::uint8_t byte : text) append_utf8(out, byte < 0x80 ? byte : replacement);
        return out;
    }
    std::vector<char> in(text.begin(), text.end());
    char* from = in.data();
    std::size_t left = in.size();
    while (left > 0) {
        std::array<char, 256> wide{};
        char* to = wide.data();
        std::size_t room = wide.size();
        const std::size_t result = iconv(converter, &from, &left, &to, &room);
        for (const char* c = wide.data(); c + 4 <= to; c += 4) {
            const auto byte = [c](int i) { return static_cast<char32_t>(static_cast<unsigned char>(c[i])); };
            append_utf8(out, byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
        }
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // A byte that is no character of the set (or a character cut off by the end).
        append_utf8(out, replacement);
        ++from;
        --left;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(converter);
    return out;
}

// The ISO/IEC 8859 part that a one-byte selector names (0: none).
int iso_8859_part_of(std::uint8_t selector) {
    constexpr std::array<int, 12> parts = {0, 5, 6, 7, 8, 9, 10, 11, 0, 13, 14, 15};
    return selector < parts.size() ? parts[selector] : 0;
}

std::string from_iso_8859(int part, std::span<const std::uint8_t> text) {
    // There is no part 12; an unknown part leaves only what is ASCII in all of them sure.
    if (part < 1 || part > 16 || part == 12) return through_iconv("ASCII", text);
    const std::string charset = "ISO-8859-" + std::to_string(part);
    return through_iconv(charset.c_str(), text);
}

}  // namespace

std::string dvb_text_to_utf8(std::span<const std::uint8_t> text) {
    if (text.empty() || text[0] >= 0x20) return from_default_table(text);
    const std::uint8_t selector = text[0];
    const auto rest = text.subspan(1);
    switch (selector) {
        case 0x10:
            if (rest.size() < 2) return through_iconv("ASCII", rest);
            return from_iso_8859(rest[0] << 8 | rest[1], rest.subspan(2));
        case 0x11: return through_iconv("UCS-2BE", rest);
        case 0x15: return through_iconv("UTF-8", rest);
        default:
            // The East Asian tables and the reserved selectors are not read: ASCII stays sure.
            return from_iso_8859(iso_8859_part_of(selector), rest);
    }
}

}  // namespace cut2edl
