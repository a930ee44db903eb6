#pragma once

#include <functional>
#include <ostream>

#include <boost/filesystem/path.hpp>

namespace cut2edl {

// Writes the file at `path` through `write`, replacing any old one. Returns
// false when it could not be written; an old file then stays as it was,
// unless the folder only allowed writing it in place.
bool writeReplacing(const boost::filesystem::path& path, const std::function<void(std::ostream&)>& write);

}  // namespace cut2edl
