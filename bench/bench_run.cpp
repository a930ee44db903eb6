// Runs commands a number of times and prints the best wall-clock time of
// each in microseconds: the whole process, from fork to exit, with standard
// input and output on /dev/null so that neither a terminal nor a pipe slows
// it down. Several commands, separated by ---, take turns run by run, so that
// a machine that is busier at one moment than at another weighs on all of
// them alike. With --remove, FILE is deleted before every run of its command,
// outside the time, so that each run makes it anew.
//
//     bench_run RUNS [--remove FILE] COMMAND [ARGUMENT]... [--- ...]

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

namespace {

struct Command {
    const char* removed = nullptr;
    std::vector<char*> arguments;  // ends with nullptr
    double best = std::numeric_limits<double>::max();
};

// One run; a negative time when the command could not be run or failed.
double runOnce(const Command& command) {
    if (command.removed != nullptr) unlink(command.removed);
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) return -1.0;
    if (child == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        if (devNull < 0 || dup2(devNull, STDIN_FILENO) < 0 || dup2(devNull, STDOUT_FILENO) < 0) _exit(127);
        execvp(command.arguments[0], command.arguments.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1.0;
    const auto elapsed = std::chrono::steady_clock::now() - started;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1.0;
    return std::chrono::duration<double, std::micro>(elapsed).count();
}

std::vector<Command> parseCommands(int argc, char** argv) {
    std::vector<Command> commands(1);
    for (int at = 2; at < argc; ++at) {
        const std::string_view argument = argv[at];
        if (argument == "---") {
            commands.emplace_back();
        } else if (argument == "--remove" && commands.back().arguments.empty() && at + 1 < argc) {
            commands.back().removed = argv[++at];
        } else {
            commands.back().arguments.push_back(argv[at]);
        }
    }
    for (Command& command : commands) command.arguments.push_back(nullptr);
    return commands;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Command> commands = argc > 2 ? parseCommands(argc, argv) : std::vector<Command>{};
    const bool complete = !commands.empty() && std::all_of(commands.begin(), commands.end(), [](const Command& c) {
        return c.arguments.size() > 1;
    });
    if (!complete) {
        std::fprintf(stderr, "usage: %s RUNS [--remove FILE] COMMAND [ARGUMENT]... [--- ...]\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    for (int run = 0; run < runs; ++run) {
        for (Command& command : commands) {
            const double time = runOnce(command);
            if (time < 0) {
                std::fprintf(stderr, "%s failed\n", command.arguments[0]);
                return 1;
            }
            command.best = std::min(command.best, time);
        }
    }
    for (std::size_t i = 0; i < commands.size(); ++i) std::printf(i == 0 ? "%.1f" : " %.1f", commands[i].best);
    std::printf("\n");
    return 0;
}
