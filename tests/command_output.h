#pragma once

// Runs a shell command and tells what it wrote to standard output: how the
// tests hear what another program (ffprobe, mkvmerge, MPlayer) read in a file.
#include <cstdio>
#include <string>

namespace cut2edl::test {

inline std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
        pclose(pipe);
    }
    return output;
}

}  // namespace cut2edl::test
