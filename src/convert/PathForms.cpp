#include "convert/PathForms.h"

namespace cut2edl {

boost::filesystem::path change_extension(const boost::filesystem::path& path, const std::string& newExtension) {
    const std::string name = path.filename().string();
    const std::string stem = name.substr(0, name.rfind('.'));
    return path.parent_path() / (stem + newExtension);
}

std::string native_file_string(const boost::filesystem::path& path) {
    boost::filesystem::path native = path;
    return native.make_preferred().string();
}

}  // namespace cut2edl
