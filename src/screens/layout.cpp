// The layout's windows and their helpers: the general window's header, the
// Ctrl-L repaint, the "press any key" pause, the modal windows and the title
// of a player's prompt.
#include "screens/screens.h"
#include "terminal/messages.h"

#include <cstdio>

// Gives the general window a fresh content: erased, its border, and the
// centred title (blinking for announcements). Staging is left to the caller.
void general_header(const char *title, int blink) {
    werase(general_window);
    const attr_t border = scheme_attr(pair_attr(PAIR_BLUE), A_NORMAL);
    wattr_on(general_window, border, nullptr);
    wborder(general_window, '|', '|', '/', '/', 0, 0, 0, 0);
    wattr_off(general_window, border, nullptr);

    attr_t title_attr = scheme_attr(A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE), A_REVERSE);
    if (blink) title_attr |= A_BLINK;
    wattr_on(general_window, title_attr, nullptr);
    center_text(general_window, screen_cols - 2, 0, title);
    wattr_off(general_window, title_attr, nullptr);
}

// The Ctrl-L repaint: every line of the four windows is sent again, so a
// screen garbled by other output is repaired cell by cell.
void redraw_all() { repaint_windows({map_window, coinfo_window, general_window}); }

// The pause that ends every announcement: waits for any key but Ctrl-L,
// which repaints the screen and goes on waiting. When every seat is the
// computer's, the announcement also goes on by itself after a while.
void wait_key(int row) {
    center_text(general_window, screen_cols - 2, row,
                translation_within(N_("Press any key to continue..."), screen_cols - 4));
    wnoutrefresh(general_window);
    noecho();
    raw();
    doupdate();
    if (every_seat_computer()) {
        pause_for_key(ANNOUNCEMENT_PAUSE_MS);
        return;
    }
    while (read_key() == CTRL_L) redraw_all();
}

// Creates a modal window at row 5, centred on the layout, with its '|' and
// '=' border; ends the program with `failure` when it cannot be made.
WINDOW *open_dialog(int rows, int columns, attr_t border, const char *failure) {
    WINDOW *dialog = create_window(rows, columns, 5, (screen_cols - columns) / 2, failure);
    wattr_on(dialog, border, nullptr);
    wborder(dialog, '|', '|', '=', '=', 0, 0, 0, 0);
    wattr_off(dialog, border, nullptr);
    return dialog;
}

// Shows a modal window and reads the one key that answers it.
int wait_dialog_key(WINDOW *dialog) {
    wnoutrefresh(dialog);
    doupdate();
    return read_key();
}

// Removes a modal window and stages again the three windows it may cover.
void close_dialog(WINDOW *dialog) {
    delwin(dialog);
    restage({map_window, general_window, coinfo_window});
}

// The title of the move prompt and the trading dialog: the mover's name and cash.
void format_cash_title(char *title, std::size_t size, const Player &player) {
    // TRANSLATORS: the title of the move prompt and the trading dialog: the
    // mover's name (at most 20 columns) and cash (up to 10 digits). Without
    // the two it may take at most 44 columns, its blanks at both ends too.
    format_within(title, size, screen_cols - 4, N_(" %s (Cash: $%d) "), player.name, player.cash);
}
