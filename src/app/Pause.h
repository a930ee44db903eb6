#pragma once

namespace cut2edl {

// Keeps a console window open until the user has read it: when standard input
// is a terminal, prompts and waits for a single key press (no Enter needed).
// Otherwise returns at once without a word, so scripts never hang.
void pauseForKeyPress();

}  // namespace cut2edl
