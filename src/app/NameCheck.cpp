#include "app/NameCheck.h"

#include <algorithm>
#include <string_view>

#include <boost/filesystem/operations.hpp>

namespace cut2edl {

namespace fs = boost::filesystem;

bool windows_name(const std::string& name) {
    static constexpr std::string_view forbidden = "<>:\"/\\|";
    if (name.empty()) return false;
    if (name == "." || name == "..") return true;
    const bool hasForbidden = std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 0x01 && byte <= 0x1F) || forbidden.find(c) != std::string_view::npos;
    });
    return !hasForbidden && name.back() != ' ' && name.back() != '.';
}

bool native(const std::string& name) {
#ifdef _WIN32
    return windows_name(name);
#else
    return !name.empty() && name.find('/') == std::string::npos;
#endif
}

fs::path checked_path(const std::string& text) {
    const fs::path path(text);
    // The root ("/", "C:", "//server") is no name; a trailing separator gives ".".
    for (const fs::path& element : path.relative_path()) {
        if (!native(element.string())) {
            throw fs::filesystem_error("boost::filesystem::path: invalid name \"" + element.string() +
                                           "\" in path: \"" + text + "\"",
                                       boost::system::errc::make_error_code(boost::system::errc::invalid_argument));
        }
    }
    return path;
}

}  // namespace cut2edl
