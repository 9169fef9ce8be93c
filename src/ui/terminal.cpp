// Starting curses, reading keys, and leaving the program with the terminal
// restored whichever way it ends.
#include "ui/ui.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

bool curses_started = false;

constexpr int ESCAPE_DELAY_MS = 25;

}  // namespace

// Starts curses on the terminal. A resize must not shrink the fixed layout,
// and a hang-up must end the game through the lost-input path, so both
// signals are ignored once curses has installed its own handlers.
void start_terminal() {
    // curses takes the terminal's real size; LINES and COLUMNS in the
    // environment size the layout only.
    use_env(FALSE);
    use_tioctl(TRUE);
    initscr();
    curses_started = true;
    std::signal(SIGWINCH, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    // A lone Escape should answer at once unless the user chose a delay.
    if (std::getenv("ESCDELAY") == nullptr) set_escdelay(ESCAPE_DELAY_MS);
}

// Writes a one-line message to standard error and ends the program with
// status 1, restoring the terminal first when curses is running.
void fatal(const char *message) {
    if (curses_started && !isendwin()) endwin();
    std::fputs(message, stderr);
    std::exit(1);
}

void input_closed() { fatal("vegatrade: input closed\n"); }

// Reads one key from the standard screen. A failed read means the input has
// ended (end of file, hang-up or a read error), which ends the program; an
// interrupted read is simply repeated.
int read_key() {
    for (;;) {
        errno = 0;
        const int key = wgetch(stdscr);
        if (key != ERR) return key;
        if (errno != EINTR) input_closed();
    }
}

// Reads a number the way atoi does (leading blanks, an optional sign, the
// leading digits; anything else gives 0), clamping values beyond the int range.
int parse_int(const char *text) {
    const char *p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    std::int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1) value = static_cast<std::int64_t>(INT_MAX) + 1;
    }
    return clamp_int(negative ? -value : value);
}
