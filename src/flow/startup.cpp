// Start-up: curses, the display scheme and the seed.
#include "flow/flow.h"

#include <cstdlib>
#include <ctime>

// Starts curses in raw mode with the chosen display scheme and seeds the
// generator with the time, from which the galaxy is drawn.
void start_curses(Launch launch) {
    start_terminal();
    start_color();
    switch (launch) {
    case Launch::FORCE_COLOR: use_color = 1; break;
    case Launch::MONOCHROME: use_color = 0; break;
    default: use_color = has_colors() ? 1 : 0; break;
    }
    if (use_color) init_colors();
    raw();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}
