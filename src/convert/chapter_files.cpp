#include "convert/chapter_files.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace cut2edl {

namespace {

constexpr std::int64_t nanosecondsPerSecond = 1'000'000'000;

long long milliseconds(double seconds) { return std::llround(seconds * 1000.0); }

}  // namespace

std::string_view chapterTitle(const Chapter& chapter) { return chapter.commercial ? "Commercial" : "Show"; }

void writeFfMetadata(std::ostream& out, const std::vector<Chapter>& chapters) {
    out << ";FFMETADATA1\n";
    for (const Chapter& chapter : chapters) {
        out << "[CHAPTER]\nTIMEBASE=1/1000\n"
            << "START=" << milliseconds(chapter.startSeconds) << "\n"
            << "END=" << milliseconds(chapter.endSeconds) << "\n"
            << "title=" << chapterTitle(chapter) << "\n";
    }
}

std::string matroskaTime(double seconds) {
    const long long total = std::llround(seconds * static_cast<double>(nanosecondsPerSecond));
    const long long wholeSeconds = total / nanosecondsPerSecond;
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%09lld", wholeSeconds / 3600, wholeSeconds / 60 % 60,
                  wholeSeconds % 60, total % nanosecondsPerSecond);
    return text;
}

void writeMkvChapters(std::ostream& out, const std::vector<Chapter>& chapters) {
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE Chapters SYSTEM \"matroskachapters.dtd\">\n"
           "<Chapters>\n";
    // An edition must hold a chapter: with none, the file holds no edition.
    if (chapters.empty()) {
        out << "</Chapters>\n";
        return;
    }
    out << "  <EditionEntry>\n";
    for (const Chapter& chapter : chapters) {
        out << "    <ChapterAtom>\n"
            << "      <ChapterTimeStart>" << matroskaTime(chapter.startSeconds) << "</ChapterTimeStart>\n"
            << "      <ChapterTimeEnd>" << matroskaTime(chapter.endSeconds) << "</ChapterTimeEnd>\n"
            << "      <ChapterFlagHidden>0</ChapterFlagHidden>\n"
            << "      <ChapterFlagEnabled>1</ChapterFlagEnabled>\n"
            << "      <ChapterDisplay>\n"
            << "        <ChapterString>" << chapterTitle(chapter) << "</ChapterString>\n"
            << "        <ChapterLanguage>und</ChapterLanguage>\n"
            << "      </ChapterDisplay>\n"
            << "    </ChapterAtom>\n";
    }
    out << "  </EditionEntry>\n"
           "</Chapters>\n";
}

}  // namespace cut2edl
