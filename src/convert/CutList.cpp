#include "convert/CutList.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include <boost/filesystem/fstream.hpp>
#include <boost/lexical_cast.hpp>
#include <boost/tokenizer.hpp>

namespace cut2edl {

namespace {

constexpr std::streamsize lineBufferSize = 1024;

// Whitespace and punctuation of the "C" locale separate tokens and are dropped.
// Classified by byte value, so bytes above 0x7F count as token characters
// (std::isspace on a negative char would be undefined).
constexpr bool isSeparator(char character) {
    const auto byte = static_cast<unsigned char>(character);
    const bool whitespace = byte == ' ' || (byte >= '\t' && byte <= '\r');
    const bool punctuation = byte > ' ' && byte < 0x7F && !(byte >= '0' && byte <= '9') &&
                             !(byte >= 'A' && byte <= 'Z') && !(byte >= 'a' && byte <= 'z');
    return whitespace || punctuation;
}

// A tokenizer function with the tokens of boost::char_delimiters_separator<char>.
struct FrameNumberSeparator {
    void reset() {}

    template <typename InputIterator, typename Token>
    bool operator()(InputIterator& next, InputIterator end, Token& token) const {
        while (next != end && isSeparator(*next)) ++next;
        if (next == end) return false;
        const InputIterator start = next;
        while (next != end && !isSeparator(*next)) ++next;
        token.assign(start, next);
        return true;
    }
};

using Tokens = boost::tokenizer<FrameNumberSeparator>;

std::optional<FrameCut> parseCutLine(const std::string& line) {
    const Tokens tokens(line, FrameNumberSeparator{});
    auto token = tokens.begin();
    if (token == tokens.end()) return std::nullopt;
    // Most lines of a cut list are no cuts: converting without an exception
    // for each of them spares the program the unwinder's start-up.
    FrameCut cut;
    if (!boost::conversion::try_lexical_convert(*token, cut.startFrame)) return std::nullopt;
    ++token;
    if (token == tokens.end() || !boost::conversion::try_lexical_convert(*token, cut.endFrame)) return std::nullopt;
    return cut;
}

// The rest of a line that did not fit the buffer is passed over, so one overlong
// line does not end the reading.
void skipRestOfOverlongLine(std::istream& text) {
    if (!text.fail() || text.eof() || text.bad()) return;
    text.clear();
    text.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

std::vector<std::string_view> wordsOf(std::string_view line) {
    constexpr std::string_view blanks = " \t";
    std::vector<std::string_view> words;
    for (auto start = line.find_first_not_of(blanks); start != std::string_view::npos;
         start = line.find_first_not_of(blanks, start)) {
        const auto end = std::min(line.find_first_of(blanks, start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end;
    }
    return words;
}

// A whole word of decimal digits that fits the type.
template <typename Number>
bool readNumber(std::string_view word, Number& number) {
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    return error == std::errc() && end == word.data() + word.size() && number >= 0;
}

// The detector writes the rate times 100, truncated: 2997 is 30000/1001 and
// 2397 is 24000/1001. A rate a thousandth below a whole number n (R/100 times
// 1.001 within 0.01 of n) is taken to be n * 1000/1001; whole rates stay as they are.
double frameRateOf(std::int32_t ratePer100Seconds) {
    const double asWritten = ratePer100Seconds / 100.0;
    if (ratePer100Seconds % 100 == 0) return asWritten;
    const std::int64_t scaled = std::int64_t{ratePer100Seconds} * 1001;  // n * 100000 when snapped
    const std::int64_t nearest = (scaled + 50000) / 100000;
    const std::int64_t distance = scaled - nearest * 100000;
    if (nearest > 0 && distance >= -1000 && distance <= 1000) return nearest * 1000.0 / 1001.0;
    return asWritten;
}

}  // namespace

std::optional<CutListHeader> parseCutListHeader(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte order mark left by an editor
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    const auto words = wordsOf(text);
    if (words.size() != 7 || words[0] != "FILE" || words[1] != "PROCESSING" || words[2] != "COMPLETE" ||
        words[4] != "FRAMES" || words[5] != "AT") {
        return std::nullopt;
    }
    CutListHeader header;
    if (!readNumber(words[3], header.frameCount) || !readNumber(words[6], header.ratePer100Seconds) ||
        header.ratePer100Seconds == 0) {
        return std::nullopt;
    }
    header.frameRate = frameRateOf(header.ratePer100Seconds);
    return header;
}

CutListText readCuts(std::istream& text) {
    CutListText list;
    char buffer[lineBufferSize];
    for (bool firstLine = true; text.good(); firstLine = false) {
        std::memset(buffer, 0, sizeof buffer);
        text.getline(buffer, lineBufferSize, '\n');
        skipRestOfOverlongLine(text);
        try {
            const std::string line(buffer);
            if (firstLine) list.header = parseCutListHeader(line);
            if (const auto cut = parseCutLine(line)) list.cuts.push_back(*cut);
        } catch (...) {
            // Running out of memory abandons only this line.
        }
    }
    return list;
}

std::optional<CutListText> readCutList(const boost::filesystem::path& cutListPath) {
    boost::filesystem::ifstream text(cutListPath);
    if (!text.is_open()) return std::nullopt;
    CutListText list = readCuts(text);
    if (text.bad()) return std::nullopt;
    return list;
}

ValidCuts validCuts(std::vector<FrameCut> cuts) {
    ValidCuts valid;
    const auto endsBeforeStart = [](const FrameCut& cut) { return cut.endFrame < cut.startFrame; };
    valid.leftOut = static_cast<std::size_t>(std::count_if(cuts.begin(), cuts.end(), endsBeforeStart));
    std::erase_if(cuts, endsBeforeStart);
    std::stable_sort(cuts.begin(), cuts.end(),
                     [](const FrameCut& a, const FrameCut& b) { return a.startFrame < b.startFrame; });
    for (const FrameCut& cut : cuts) {
        // The end frame is the last one cut, so a cut that starts on it shares it.
        if (!valid.cuts.empty() && cut.startFrame <= valid.cuts.back().endFrame) {
            valid.cuts.back().endFrame = std::max(valid.cuts.back().endFrame, cut.endFrame);
        } else {
            valid.cuts.push_back(cut);
        }
    }
    return valid;
}

CutList inSeconds(const std::vector<FrameCut>& cuts, double frameRate) {
    CutList seconds;
    seconds.reserve(cuts.size());
    for (const FrameCut& cut : cuts) seconds.push_back({cut.startFrame / frameRate, cut.endFrame / frameRate});
    return seconds;
}

}  // namespace cut2edl
