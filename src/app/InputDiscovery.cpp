#include "app/InputDiscovery.h"

#include <exception>
#include <iostream>
#include <set>

#include <boost/filesystem/operations.hpp>

#include "app/NameCheck.h"
#include "convert/Conversion.h"

namespace cut2edl {

namespace fs = boost::filesystem;

namespace {

const std::string cutListExtension = ".txt";

class DirectoryScan {
public:
    DirectoryScan(bool recursive, const boost::regex& pattern) : recursive_(recursive), pattern_(pattern) {}

    std::vector<fs::path> collect(const fs::path& directory) && {
        scan(directory);
        return std::move(found_);
    }

private:
    void scan(const fs::path& directory) {
        if (!firstVisit(directory)) return;
        try {
            for (fs::directory_iterator entry(directory), end; entry != end; ++entry) examine(entry->path());
        } catch (const std::exception&) {
            // The entries found before the directory failed are kept.
        }
    }

    // Keyed by the resolved path, so a link to a directory already met is not
    // followed again; a path that cannot be resolved is keyed as it is. Only a
    // descent can meet a directory twice, so a flat scan resolves nothing.
    bool firstVisit(const fs::path& directory) {
        if (!recursive_) return true;
        boost::system::error_code error;
        const fs::path resolved = fs::canonical(directory, error);
        return visited_.insert(error ? directory : resolved).second;
    }

    void examine(const fs::path& entry) {
        try {
            if (fs::is_directory(entry)) {
                if (recursive_) scan(entry);
            } else if (boost::regex_match(entry.string(), pattern_)) {
                found_.push_back(entry);
            }
        } catch (const std::exception&) {
            // An entry that cannot be examined is left out.
        }
    }

    bool recursive_;
    const boost::regex& pattern_;
    std::set<fs::path> visited_;
    std::vector<fs::path> found_;
};

void addDirectory(Options& options, const fs::path& directory) {
    options.inputDirs.push_back(directory);
    for (const fs::path& file : scanDirectory(directory, options.subdirs, cutListPattern())) {
        if (file.extension() == cutListExtension) options.inputFiles.push_back(file);
    }
}

}  // namespace

const boost::regex& cutListPattern() {
    static const boost::regex pattern("(.*)\\.txt");
    return pattern;
}

std::vector<fs::path> scanDirectory(const fs::path& directory, bool recursive, const boost::regex& pattern) {
    return DirectoryScan(recursive, pattern).collect(directory);
}

void addInput(Options& options, const std::string& input) {
    try {
        const fs::path path = checked_path(input);
        if (!fs::exists(path)) {
            std::cout << "Input does not exist: " << path.generic_string() << "\n";
            ++options.inputProblems;
        } else if (fs::is_directory(path)) {
            addDirectory(options, path);
        } else if (path.extension() == cutListExtension || (options.inspect && isVideoFile(path))) {
            options.inputFiles.push_back(path);
        }
    } catch (const std::exception& error) {
        std::cout << error.what() << "\n";
        ++options.inputProblems;
    }
}

}  // namespace cut2edl
