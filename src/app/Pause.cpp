#include "app/Pause.h"

#include <iostream>

#ifdef _WIN32
#include <conio.h>
#include <io.h>
#include <stdio.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace cut2edl {

namespace {

#ifdef _WIN32

bool inputIsTerminal() { return _isatty(_fileno(stdin)) != 0; }

void waitForKey() { _getch(); }

#else

bool inputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

// Non-canonical mode without echo, so one key ends the wait; the terminal's
// settings are restored afterwards, dropping the rest of a multi-byte key
// (arrows, function keys) so that it does not reach the shell.
void waitForKey() {
    termios saved{};
    const bool haveSettings = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (haveSettings) {
        termios raw = saved;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    char key = 0;
    [[maybe_unused]] const ssize_t count = read(STDIN_FILENO, &key, 1);
    if (haveSettings) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
}

#endif

}  // namespace

void pauseForKeyPress() {
    if (!inputIsTerminal()) return;
    std::cout << "Press any key to continue . . . " << std::flush;
    waitForKey();
    std::cout << "\n";
}

}  // namespace cut2edl
