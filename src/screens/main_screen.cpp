// The main screen: the title bar over the map, the company panel and the
// general window.
#include "screens/screens.h"

// The title bar on row 0: " VegaTrade " and a rule of '=' to column 79.
void draw_title_bar() {
    put_text_attr_at(stdscr, 0, 0, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE), " VegaTrade ");
    const attr_t rule = scheme_attr(pair_attr(PAIR_BLUE), A_NORMAL);
    wattr_on(stdscr, rule, nullptr);
    for (int column = 11; column < 80; ++column) mvwaddch(stdscr, 0, column, '=');
    wattr_off(stdscr, rule, nullptr);
}

// Clears the title screen and stages the main screen: title bar, map, panel.
void draw_main_screen() {
    wclear(stdscr);
    draw_title_bar();
    wnoutrefresh(stdscr);
    draw_map();
    show_coinfo();
}
