#pragma once

#include <ostream>

#include <boost/filesystem/path.hpp>

#include "convert/CutList.h"
#include "convert/EdlAction.h"

namespace cut2edl {

// One line per cut: start TAB end TAB action code CR LF, seconds with six
// significant digits.
void writeCuts(std::ostream& edl, const CutList& cuts, EdlAction action = EdlAction::Cut);

// Writes the EDL beside the cut list (same name, extension ".edl"), replacing
// any old one. Returns false when it could not be written; an old EDL then
// stays as it was unless the folder only allowed writing it in place.
bool writeEdl(const boost::filesystem::path& cutListPath, const CutList& cuts, EdlAction action = EdlAction::Cut);

}  // namespace cut2edl
