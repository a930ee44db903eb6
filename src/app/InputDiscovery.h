#pragma once

#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>
#include <boost/regex.hpp>

#include "app/Options.h"

namespace cut2edl {

// "(.*)\.txt": a cut list is any file whose path ends in ".txt", in lower case.
const boost::regex& cutListPattern();

// Records an existing directory in inputDirs and appends the cut lists found in
// it (or the named cut list itself, or, for an inspection, the named video) to
// inputFiles. Problems are printed, never thrown, and counted in inputProblems.
void addInput(Options& options, const std::string& input);

// The files below the directory whose full path matches the pattern, depth
// first, in the order the OS lists them. Unreadable directories and entries are
// passed over silently. Each directory is scanned at most once per call, so
// symbolic links that lead back up do not loop.
std::vector<boost::filesystem::path> scanDirectory(const boost::filesystem::path& directory, bool recursive,
                                                   const boost::regex& pattern);

}  // namespace cut2edl
