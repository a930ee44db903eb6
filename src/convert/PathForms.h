#pragma once

#include <string>

#include <boost/filesystem/path.hpp>

namespace cut2edl {

// The path with the file name's last extension (from its last "." on) replaced
// by newExtension; a name without "." gets it appended. a.b.txt -> a.b.edl.
boost::filesystem::path change_extension(const boost::filesystem::path& path, const std::string& newExtension);

// The path as the platform writes it (backslashes on Windows).
std::string native_file_string(const boost::filesystem::path& path);

}  // namespace cut2edl
