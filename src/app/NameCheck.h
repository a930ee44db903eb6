#pragma once

#include <string>

#include <boost/filesystem/path.hpp>

namespace cut2edl {

// Windows' rule for one file or directory name: not empty, none of the control
// characters 0x01-0x1F nor < > : " / \ |, no trailing space, no trailing "."
// unless the name is "." or "..".
bool windows_name(const std::string& name);

// The host's own rule for one name: Windows' rule there, anything the OS
// accepts on POSIX.
bool native(const std::string& name);

// A path built from a command-line string whose every name passes the native
// check; throws boost::filesystem::filesystem_error naming the bad name otherwise.
boost::filesystem::path checked_path(const std::string& text);

}  // namespace cut2edl
