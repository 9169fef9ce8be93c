// The pause that a key ends: the screen stays up for a while, and a key
// typed meanwhile ends it early.
#include "terminal/terminal.h"

// Shows the screen and waits up to `milliseconds` for a key; Ctrl-L
// repaints meanwhile. Returns the key, or NO_KEY once the time is up.
int pause_for_key(int milliseconds) {
    const long long deadline = clock_ms() + milliseconds;
    for (;;) {
        doupdate();
        const long long left = deadline - clock_ms();
        if (left <= 0) return NO_KEY;
        const int key = read_key_within(static_cast<int>(left));
        if (key != CTRL_L) return key;
        key_actions().repaint();
    }
}
