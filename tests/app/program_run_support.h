#pragma once

// Runs the built program in a folder, with standard input from /dev/null, and
// tells what it printed; and the texts it prints around every conversion.
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "convert/TestSupport.h"

namespace cut2edl {

namespace fs = boost::filesystem;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

inline ProgramRun runProgram(const fs::path& workDir, const std::vector<std::string>& arguments) {
    const test::TempDir captures;
    std::ostringstream command;
    command << "cd " << quoted(workDir.string()) << " && " << quoted(CUT2EDL_EXE);
    for (const std::string& argument : arguments) command << ' ' << quoted(argument);
    command << " < /dev/null > " << quoted((captures / "out").string()) << " 2> " << quoted((captures / "err").string());
    const int status = std::system(command.str().c_str());
    ProgramRun run;
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.out = test::readFile(captures / "out");
    run.err = test::readFile(captures / "err");
    return run;
}

inline std::string summary(bool help, bool subdirs, const std::vector<fs::path>& dirs, const std::vector<fs::path>& files) {
    std::string text = "\nOptions summary\n---------------\n";
    text += std::string("Help:    ") + (help ? "true" : "false") + "\n";
    text += std::string("Subdirs: ") + (subdirs ? "true" : "false") + "\n";
    for (const fs::path& dir : dirs) text += "Input Dir: " + dir.generic_string() + "\n";
    for (const fs::path& file : files) text += "Input File: " + file.generic_string() + "\n";
    return text + "\n";
}

inline std::string unable(const fs::path& cutList, const std::string& reason) {
    return "Unable to convert \"" + cutList.string() + "\" because " + reason + ".\n";
}

inline std::string note(const fs::path& cutList, const std::string& text) {
    return "Note: \"" + cutList.string() + "\" " + text + "\n";
}

}  // namespace cut2edl
