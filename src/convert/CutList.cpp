#include "convert/CutList.h"

#include <cstring>
#include <limits>
#include <string>

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

std::optional<Cut> parseCutLine(const std::string& line, double frameRate) {
    const Tokens tokens(line, FrameNumberSeparator{});
    auto token = tokens.begin();
    if (token == tokens.end()) return std::nullopt;
    // Most lines of a cut list are no cuts: converting without an exception
    // for each of them spares the program the unwinder's start-up.
    int startFrame = 0;
    int endFrame = 0;
    if (!boost::conversion::try_lexical_convert(*token, startFrame)) return std::nullopt;
    ++token;
    if (token == tokens.end() || !boost::conversion::try_lexical_convert(*token, endFrame)) return std::nullopt;
    return Cut{startFrame / frameRate, endFrame / frameRate};
}

// The rest of a line that did not fit the buffer is passed over, so one overlong
// line does not end the reading.
void skipRestOfOverlongLine(std::istream& text) {
    if (!text.fail() || text.eof() || text.bad()) return;
    text.clear();
    text.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

}  // namespace

CutList readCuts(std::istream& text, double frameRate) {
    CutList cuts;
    char buffer[lineBufferSize];
    while (text.good()) {
        std::memset(buffer, 0, sizeof buffer);
        text.getline(buffer, lineBufferSize, '\n');
        skipRestOfOverlongLine(text);
        try {
            if (const auto cut = parseCutLine(std::string(buffer), frameRate)) cuts.push_back(*cut);
        } catch (...) {
            // Running out of memory abandons only this line.
        }
    }
    return cuts;
}

std::optional<CutList> readCutList(const boost::filesystem::path& cutListPath, double frameRate) {
    boost::filesystem::ifstream text(cutListPath);
    if (!text.is_open()) return std::nullopt;
    CutList cuts = readCuts(text, frameRate);
    if (text.bad()) return std::nullopt;
    return cuts;
}

}  // namespace cut2edl
