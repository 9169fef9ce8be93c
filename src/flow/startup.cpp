// Start-up: curses, the display scheme, the seed, and the main screen.
#include "flow/flow.h"

#include <cstdlib>
#include <ctime>

// Starts curses in raw mode with the chosen display scheme and seeds the
// generator with the time, from which the galaxy is drawn (init_game); the
// turns are drawn from a second seed, the process id (seat_lineup). A test
// pins a game by preloading tests/support/pin_clock.c, which fixes both the
// time and the process id.
void start_curses(Launch launch) {
    start_terminal();
    start_color();
    switch (launch) {
        case Launch::FORCE_COLOR: use_color = 1; break;
        case Launch::MONOCHROME: use_color = 0; break;
        default: use_color = has_colors() ? 1 : 0; break;
    }
    if (use_color) init_colors();
    // curses would draw a key at the cursor whenever one is read outside
    // the line editor, which echoes on its own.
    raw();
    noecho();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

// The title bar on row 0: " VegaTrade " and a rule of '=' to column 79.
void draw_title_bar() {
    put_text_attr_at(stdscr, 0, 0, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE),
                     " VegaTrade ");
    const attr_t rule = scheme_attr(pair_attr(PAIR_BLUE), A_NORMAL);
    wattr_on(stdscr, rule, nullptr);
    for (int column = 11; column < 80; ++column) mvwaddch(stdscr, 0, column, '=');
    wattr_off(stdscr, rule, nullptr);
}

// Clears the title screen and stages the main screen: title bar, map, panel.
void draw_main_screen(const Game &game) {
    wclear(stdscr);
    draw_title_bar();
    wnoutrefresh(stdscr);
    draw_map(game);
    show_coinfo(game);
}
