// The layout's windows and their helpers: the general window's header, the
// Ctrl-L repaint, the "press any key" pause, the modal windows, the title
// of a player's prompt and the columns of a table of figures.
#include "screens/screens.h"
#include "terminal/messages.h"

#include <algorithm>
#include <cstdio>

namespace {

// The modal windows on the screen, the topmost last: a window opened from
// another (the record from the final standings) stands over it. A repaint
// draws them over the rest, bottom up.
constexpr int MOST_DIALOGS = 3;
WINDOW *shown_dialogs[MOST_DIALOGS] = {};
int dialog_count = 0;

// Stages the modal windows still shown, bottom up, whole.
void restage_dialogs() {
    for (int d = 0; d < dialog_count; ++d) {
        touchwin(shown_dialogs[d]);
        wnoutrefresh(shown_dialogs[d]);
    }
}

}  // namespace

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

// The Ctrl-L repaint: every cell of the screen is sent again, the layout's
// windows over stdscr and a modal window over them, so a screen garbled by
// other output is repaired cell by cell.
void redraw_all() {
    WINDOW *const *d = shown_dialogs;
    switch (dialog_count) {
        case 0: repaint_windows({map_window, coinfo_window, general_window}); break;
        case 1: repaint_windows({map_window, coinfo_window, general_window, d[0]}); break;
        case 2: repaint_windows({map_window, coinfo_window, general_window, d[0], d[1]}); break;
        default: repaint_windows({map_window, coinfo_window, general_window, d[0], d[1], d[2]}); break;
    }
}

// The pause that ends every announcement: waits for any key but Ctrl-L,
// which repaints the screen and goes on waiting. Only a key pressed once
// the announcement is on the screen answers it: keys typed before (to
// hurry a computer, or ahead) are dropped, so nobody misses it. When every
// seat is the computer's, the announcement also goes on by itself after a
// while.
void wait_key(int row) {
    center_text(general_window, screen_cols - 2, row,
                translation_within(N_("Press any key to continue..."), screen_cols - 4));
    wnoutrefresh(general_window);
    noecho();
    raw();
    doupdate();
    drop_typed_keys();
    if (every_seat_computer) {
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
    if (dialog_count < MOST_DIALOGS) shown_dialogs[dialog_count++] = dialog;
    return dialog;
}

// Shows a modal window and reads the one key that answers it.
int wait_dialog_key(WINDOW *dialog) {
    wnoutrefresh(dialog);
    doupdate();
    return read_key();
}

// Removes a modal window; the caller stages again what it covered.
void delete_dialog(WINDOW *dialog) {
    for (int d = 0; d < dialog_count; ++d) {
        if (shown_dialogs[d] != dialog) continue;
        for (int e = d + 1; e < dialog_count; ++e) shown_dialogs[e - 1] = shown_dialogs[e];
        --dialog_count;
        break;
    }
    delwin(dialog);
}

// Removes a modal window and stages again the three windows it may cover,
// and any modal window it was opened over.
void close_dialog(WINDOW *dialog) {
    delete_dialog(dialog);
    restage({map_window, general_window, coinfo_window});
    restage_dialogs();
}

// The title of the move prompt and the trading dialog: the mover's name and cash.
void format_cash_title(char *title, std::size_t size, const Player &player) {
    // TRANSLATORS: the title of the move prompt and the trading dialog: the
    // mover's name (at most 20 columns) and cash (up to 10 digits). Without
    // the two it may take at most 44 columns, its blanks at both ends too.
    format_within(title, size, screen_cols - 4, N_(" %s (Cash: $%d) "), player.name, player.cash);
}

// Places a table's columns from column `first` and returns the table's end
// (the column after it). A figure wider than its column's room, or a
// header word wider than its column, moves every later column right by
// what it passes the room, so each figure and word stays
// whole and under its header, and tables whose figures fit stand as
// always. When the table would end past `limit`, the spacing is narrowed
// one column at a time, always where most is to spare, down to one blank
// after each figure and what each header needs; a table that cannot be
// narrowed enough ends past `limit`.
int lay_out_columns(TableColumn columns[], int count, int first, int limit) {
    int spacing[MAX_TABLE_COLUMNS];
    int least[MAX_TABLE_COLUMNS];
    int end = first;
    count = std::min(count, MAX_TABLE_COLUMNS);
    for (int i = 0; i < count; ++i) {
        const TableColumn &column = columns[i];
        const bool last = i == count - 1;
        least[i] = std::max(column.least, column.width + (last ? 0 : 1));
        spacing[i] = std::max(least[i], column.nominal + std::max(0, column.width - column.room));
        end += spacing[i];
    }
    while (end > limit) {
        int widest = -1;
        for (int i = 0; i < count; ++i) {
            if (spacing[i] > least[i] &&
                (widest < 0 || spacing[i] - least[i] > spacing[widest] - least[widest])) {
                widest = i;
            }
        }
        if (widest < 0) break;
        --spacing[widest];
        --end;
    }
    int start = first;
    for (int i = 0; i < count; ++i) {
        columns[i].start = start;
        start += spacing[i];
    }
    return end;
}

// Makes each column wide enough for its header word as translated: the
// word, from its place in the column, up to one blank before the next
// column's word (the last column's, before the table's end). In English
// every header fits its column as the table always stood.
void fit_header_words(TableColumn columns[], const HeaderWord words[], int count) {
    for (int i = 0; i < count; ++i) {
        const int next_offset = i + 1 < count ? words[i + 1].offset : 0;
        const int needs = text_width(_(words[i].word)) + words[i].offset - next_offset + 1;
        columns[i].least = std::max(columns[i].least, needs);
    }
}

// Draws a table's header on `row` from column `left` up to `end`: the
// `fill` character in `attr`, with each column's word over it, placed by
// its screen columns; a word that would pass `end` is left out.
void draw_table_header(WINDOW *window, int row, int left, int end, chtype fill, attr_t attr,
                       const TableColumn columns[], const HeaderWord words[], int count) {
    if (wmove(window, row, left) == ERR) return;
    end = std::min(end, getmaxx(window));
    wattr_on(window, attr, nullptr);
    for (int column = left; column < end; ++column) waddch(window, fill);
    for (int i = 0; i < count; ++i) {
        const char *word = _(words[i].word);
        const int column = columns[i].start + words[i].offset;
        if (column >= left && column + text_width(word) <= end) put_text_at(window, row, column, word);
    }
    wattr_off(window, attr, nullptr);
}
