#pragma once

#include <ostream>
#include <string>

#include <boost/filesystem/path.hpp>

#include "convert/CutList.h"
#include "convert/EdlAction.h"

namespace cut2edl {

// A time as an EDL holds it: printf's %g (six significant digits) wherever
// that keeps it within 5 ms, which is every time below 10,000 s; a longer
// time gets as many more digits as that needs (12000.04, not 12000).
std::string secondsText(double seconds);

// One line per cut: start TAB end TAB action code CR LF.
void writeCuts(std::ostream& edl, const CutList& cuts, EdlAction action = EdlAction::Cut);

// Writes the EDL beside the cut list (same name, extension ".edl"), replacing
// any old one. Returns false when it could not be written; an old EDL then
// stays as it was unless the folder only allowed writing it in place.
bool writeEdl(const boost::filesystem::path& cutListPath, const CutList& cuts, EdlAction action = EdlAction::Cut);

}  // namespace cut2edl
