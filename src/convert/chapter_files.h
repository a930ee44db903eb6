#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "convert/Chapters.h"

namespace cut2edl {

// A chapter's title in every format: "Show" or "Commercial".
std::string_view chapterTitle(const Chapter& chapter);

// ffmpeg's metadata file: ";FFMETADATA1", then one [CHAPTER] block per
// chapter in milliseconds (rounded to the nearest); LF line ends.
void writeFfMetadata(std::ostream& out, const std::vector<Chapter>& chapters);

// A time as Matroska XML chapters hold it: HH:MM:SS.nnnnnnnnn.
std::string matroskaTime(double seconds);

// Matroska XML chapters as mkvmerge's --chapters reads them: one edition, one
// visible chapter atom per chapter, language "und"; no edition when there is
// no chapter.
void writeMkvChapters(std::ostream& out, const std::vector<Chapter>& chapters);

}  // namespace cut2edl
