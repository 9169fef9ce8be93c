// The quit confirmation.
#include "game/game.h"
#include "ui/ui.h"

#include <cctype>
#include <cstdlib>

// Asks whether to quit. A yes ends the game with the final standings and
// exit status 2; any other key closes the window and returns.
void confirm_quit() {
    constexpr int rows = 5;
    constexpr int columns = 42;
    WINDOW *window = create_window(rows, columns, 5, (screen_cols - columns) / 2,
                                   "vegatrade: couldn't open window for y/n prompt\n");

    const attr_t border = scheme_attr(pair_attr(PAIR_RED), A_BOLD);
    wattr_on(window, border, nullptr);
    wborder(window, '|', '|', '=', '=', 0, 0, 0, 0);
    wattr_off(window, border, nullptr);
    put_text_attr_at(window, 0, 14, scheme_attr(pair_attr(PAIR_BLACK_ON_RED), A_REVERSE), " Really Quit? ");
    put_text_attr_at(window, 2, 2, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW), A_NORMAL),
                     "Are you sure you want to quit (y/n)? ");
    wnoutrefresh(window);
    doupdate();

    int key = read_key();
    if (key >= 0 && key <= 255) key = std::toupper(key);
    delwin(window);
    if (key == 'Y') {
        shutdown();
        std::exit(2);
    }
    touchwin(map_window);
    wnoutrefresh(map_window);
    touchwin(coinfo_window);
    wnoutrefresh(coinfo_window);
}
