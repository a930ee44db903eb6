// The final pause, seen from a terminal: the program runs on a pseudo-terminal
// and must wait for one key press, without Enter and without echoing it.
#ifndef _WIN32

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "convert/TestSupport.h"

namespace cut2edl {
namespace {

using namespace std::chrono_literals;

const std::string prompt = "Press any key to continue . . . ";

// Bounded, so a program that never prompts fails the test instead of hanging it.
constexpr auto patience = 30s;

class Terminal {
public:
    explicit Terminal(const boost::filesystem::path& workDir, std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.begin(), CUT2EDL_EXE);
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        child_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (child_ == 0) {
            if (chdir(workDir.c_str()) == 0) execv(CUT2EDL_EXE, argv.data());
            _exit(127);
        }
    }
    ~Terminal() {
        if (child_ > 0 && !exited_) waitpid(child_, nullptr, 0);
        if (master_ >= 0) close(master_);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool started() const { return child_ > 0; }

    // Reads until the text contains `wanted`, the program closes the terminal, or patience runs out.
    std::string readUntil(const std::string& wanted) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (text_.find(wanted) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
            pollfd ready{master_, POLLIN, 0};
            if (poll(&ready, 1, 100) <= 0) continue;
            char chunk[256];
            const ssize_t count = read(master_, chunk, sizeof chunk);
            if (count <= 0) break;
            text_.append(chunk, static_cast<std::size_t>(count));
        }
        return text_;
    }

    std::string readToEnd() { return readUntil(std::string(1, '\0')); }

    bool waitForNonCanonicalMode() const {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        termios settings{};
        while (std::chrono::steady_clock::now() < deadline) {
            if (tcgetattr(master_, &settings) == 0 && !(settings.c_lflag & ICANON)) return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }

    bool stillRunning() { return waitpid(child_, nullptr, WNOHANG) == 0; }

    void press(char key) const { ASSERT_EQ(write(master_, &key, 1), 1); }

    int exitCode() {
        int status = 0;
        waitpid(child_, &status, 0);
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    int master_ = -1;
    pid_t child_ = -1;
    bool exited_ = false;
    std::string text_;
};

TEST(Pause, OnATerminalWaitsForOneKeyWithoutEcho) {
    const test::TempDir folder;
    Terminal terminal(folder.path());
    ASSERT_TRUE(terminal.started());

    const std::string beforeKey = terminal.readUntil(prompt);
    ASSERT_NE(beforeKey.find(prompt), std::string::npos) << beforeKey;
    EXPECT_EQ(beforeKey.substr(beforeKey.size() - prompt.size()), prompt);
    ASSERT_TRUE(terminal.waitForNonCanonicalMode());
    EXPECT_TRUE(terminal.stillRunning());

    terminal.press('k');
    const std::string all = terminal.readToEnd();
    EXPECT_EQ(all.substr(beforeKey.size()), "\r\n");
    EXPECT_EQ(terminal.exitCode(), 0);
}

// Ends on its own; should it prompt after all, a key releases it so the test ends.
std::string runToTheEnd(Terminal& terminal) {
    const std::string all = terminal.readToEnd();
    if (all.find(prompt) != std::string::npos) terminal.press('k');
    return all;
}

TEST(Pause, NoPauseSwitchEndsWithoutAKey) {
    const test::TempDir folder;
    Terminal terminal(folder.path(), {"--no-pause"});
    ASSERT_TRUE(terminal.started());
    const std::string all = runToTheEnd(terminal);
    EXPECT_EQ(all.find(prompt), std::string::npos) << all;
    EXPECT_NE(all.find("Options summary"), std::string::npos) << all;
    EXPECT_EQ(terminal.exitCode(), 0);
}

TEST(Pause, VersionPrintsOnlyItsLineAndEnds) {
    const test::TempDir folder;
    Terminal terminal(folder.path(), {"--version"});
    ASSERT_TRUE(terminal.started());
    EXPECT_EQ(runToTheEnd(terminal), "cut2edl " CUT2EDL_VERSION "\r\n");  // the terminal turns "\n" into "\r\n"
    EXPECT_EQ(terminal.exitCode(), 0);
}

}  // namespace
}  // namespace cut2edl

#endif
