// Writing into windows: text output, centring, the note that the terminal is
// too small, the repaint of chosen windows, creating and staging windows.
#include "terminal/messages.h"
#include "terminal/terminal.h"

#include <algorithm>
#include <cstdio>

namespace {

// Says on the top row that the terminal is too small for the layout, what
// it needs and what to press then, in the longest wording that fits the
// terminal's width; the rest of the screen is left as it is.
void show_too_small(int width) {
    const int columns = screen_cols;
    const int rows = screen_lines - 1;
    // The terminal's last column is left alone: a character there may wrap.
    const int room = std::min(width - 1, getmaxx(stdscr));
    // The notes from the longest to the shortest; the first that fits the
    // terminal's width is shown.
    char note[160];
    int length =
        format_within(note, sizeof note, room,
                      // TRANSLATORS: the note on the top row when the terminal has
                      // shrunk below the game's layout (its columns and rows). The
                      // first of the five notes that fits is shown, so each is no
                      // wider than its English text: at most 60 columns without the
                      // two figures.
                      N_("Terminal too small, needs %d x %d: enlarge it, then press Ctrl-L"), columns, rows);
    if (length > room) {
        length = format_within(note, sizeof note, room,
                               // TRANSLATORS: the same note, shorter: at most 42 columns
                               // without the two figures.
                               N_("Too small, needs %d x %d: enlarge, then Ctrl-L"), columns, rows);
    }
    if (length > room) {
        length = format_within(note, sizeof note, room,
                               // TRANSLATORS: the same note, shorter: at most 22 columns
                               // without the two figures.
                               N_("Needs %d x %d, then Ctrl-L"), columns, rows);
    }
    const char *const shortest[] = {
        // TRANSLATORS: the same note, shorter: at most 15 columns.
        N_("Enlarge, Ctrl-L"),
        // TRANSLATORS: the same note, shortest: at most 6 columns.
        N_("Ctrl-L"),
    };
    for (const char *text : shortest) {
        if (length <= room) break;
        std::snprintf(note, sizeof note, "%s", translation_within(text, room));
        length = text_width(note);
    }
    if (length > room || length <= 0) return;
    WINDOW *bar = newwin(1, length, 0, 0);
    if (bar == nullptr) return;
    wattr_on(bar, A_REVERSE, nullptr);
    put_text(bar, note);
    // Sent again even where curses believes it stands: other output may
    // have written over it since.
    redrawwin(bar);
    wnoutrefresh(bar);
    delwin(bar);
    doupdate();
}

}  // namespace

// Sends every cell of stdscr that the terminal shows, then of `windows`,
// again. curses keeps the screen size the game started with, so a terminal
// that has shrunk below what the layout needs (every column, every row but
// the blank last one) is not repainted: curses would scroll and wrap it.
void repaint_windows(std::initializer_list<WINDOW *> windows) {
    if (note_too_small()) return;
    int rows = getmaxy(stdscr);
    int columns = getmaxx(stdscr);
    int height = rows;
    int width = columns;
    if (terminal_size(height, width)) {
        rows = std::min(rows, height);
        columns = std::min(columns, width);
    }
    WINDOW *shown = derwin(stdscr, rows, columns, 0, 0);
    if (shown != nullptr) redrawwin(shown);
    for (WINDOW *window : windows) redrawwin(window);
    if (shown != nullptr) {
        wnoutrefresh(shown);
        delwin(shown);
    }
    wrefresh(stdscr);
    for (WINDOW *window : windows) wrefresh(window);
}

// Writes a text at the cursor, literally: nothing in it is interpreted.
// Only printable characters are written as themselves; everything else is
// written in its ASCII visible form.
void put_text(WINDOW *window, const char *text) {
    for (const char *p = text; *p != '\0';) {
        const ShownCharacter shown = next_shown(p);
        if (shown.wide != 0) {
            waddnwstr(window, &shown.wide, 1);
        } else {
            waddstr(window, shown.form);
        }
        p += shown.bytes;
    }
}

// Writes a text at a place; nothing is written when the place is outside
// the window.
void put_text_at(WINDOW *window, int row, int column, const char *text) {
    if (wmove(window, row, column) == ERR) return;
    put_text(window, text);
}

void put_text_attr(WINDOW *window, attr_t attr, const char *text) {
    wattr_on(window, attr, nullptr);
    put_text(window, text);
    wattr_off(window, attr, nullptr);
}

void put_text_attr_at(WINDOW *window, int row, int column, attr_t attr, const char *text) {
    wattr_on(window, attr, nullptr);
    put_text_at(window, row, column, text);
    wattr_off(window, attr, nullptr);
}

// Writes a text centred within the first `width` columns of a row. A text
// wider than that is not drawn at all.
void center_text(WINDOW *window, int width, int row, const char *text) {
    const int length = text_width(text);
    if (length > width) return;
    put_text_at(window, row, (width - length) / 2, text);
}

// Whether the terminal shows what the layout needs (every column, every row
// but the blank last one); true when its size cannot be asked.
bool layout_fits_terminal() {
    int height = 0;
    int width = 0;
    return !terminal_size(height, width) || (width >= screen_cols && height >= screen_lines - 1);
}

// When the terminal has shrunk below what the layout needs, says so on the
// top row and returns true: curses would scroll and wrap anything drawn
// into it.
bool note_too_small() {
    if (layout_fits_terminal()) return false;
    int height = 0;
    int width = 0;
    terminal_size(height, width);
    // Back from a suspension, curses clears the terminal and sends its whole
    // screen at the next update, which would scroll this one: the note alone
    // is sent then. The windows keep what they hold for the repaint once the
    // terminal is large enough.
    if (isendwin()) werase(newscr);
    show_too_small(width);
    return true;
}

// Creates a window, ending the program with `failure` when curses cannot,
// or when its height or width is not positive.
WINDOW *create_window(int rows, int columns, int top, int left, const char *failure) {
    WINDOW *window = rows > 0 && columns > 0 ? newwin(rows, columns, top, left) : nullptr;
    if (window == nullptr) fatal(failure);
    return window;
}

// Marks windows changed and stages them, so they are sent again whole at
// the next screen update.
void restage(std::initializer_list<WINDOW *> windows) {
    for (WINDOW *window : windows) {
        touchwin(window);
        wnoutrefresh(window);
    }
}
