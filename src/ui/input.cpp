// The one-line editor: free text for names, signed amounts for trading.
#include "ui/ui.h"

#include <cstring>

namespace {

constexpr int CTRL_C = 3;
constexpr int CTRL_L = 12;

bool is_enter(int key) { return key == '\n' || key == '\r'; }

bool is_erase(int key) { return key == erasechar() || key == 127 || key == 8; }

bool is_shortcut(int key) { return key == 'm' || key == 'M' || key == 'n' || key == 'N'; }

// The Ctrl-L repaint. The names are typed on the title screen, which is all
// stdscr: the main windows are not shown yet, and repainting them would
// blank the title screen.
void repaint(WINDOW *window) {
    if (window == stdscr) {
        redraw_title_screen();
    } else {
        redraw_all();
    }
}

// Whether a key may be stored at position `count`; `finish` is set for the
// amount shortcuts, which end the input after one more key.
bool accepts(int mode, int key, int count, bool &finish) {
    // Key codes are never stored, nor a NUL byte, which would cut the text short.
    if (mode != INPUT_AMOUNT) return key > 0 && key <= 255;
    if (key >= '0' && key <= '9') return true;
    if (count != 0) return false;
    if (key == '-') return true;
    finish = is_shortcut(key);
    return finish;
}

// Whether the text still takes at most `max_len` columns with the key added:
// a control character's visible form takes two or more, so a name of them
// cannot outgrow the fields it is shown in.
bool fits(const char *buffer, int key, int max_len) {
    const char typed[2] = {static_cast<char>(key), '\0'};
    return text_width(buffer) + text_width(typed) <= max_len;
}

}  // namespace

// Reads a line into `buffer` (max_len + 1 bytes), echoing character i at
// (row, column + width of the characters before it) in `window`. Keys come
// from the standard screen with keypad translation off. Returns on Enter.
void get_line(WINDOW *window, int row, int column, int max_len, int mode, char *buffer) {
    int count = 0;
    int echo_column[NAME_SIZE];  // where each character was echoed
    const int limit = max_len < NAME_SIZE - 1 ? max_len : NAME_SIZE - 1;
    bool finish = false;
    buffer[0] = '\0';

    nl();
    noecho();
    raw();
    keypad(stdscr, FALSE);
    doupdate();
    int key = read_key();
    for (;;) {
        while (key == CTRL_L) {
            repaint(window);
            doupdate();
            key = read_key();
        }
        if (is_enter(key)) break;
        // Free text is typed only before the game, for the names; Ctrl-C leaves there.
        if (key == CTRL_C && mode != INPUT_AMOUNT) quit_before_game();
        if (is_erase(key)) {
            if (count > 0) {
                --count;
                const int start = echo_column[count];
                const int end = column + text_width(buffer);
                for (int c = start; c < end; ++c) mvwaddch(window, row, c, ' ');
                buffer[count] = '\0';
                wmove(window, row, start);
                wnoutrefresh(window);
            }
        } else if (accepts(mode, key, count, finish) && count < limit && fits(buffer, key, max_len)) {
            const char typed[2] = {static_cast<char>(key), '\0'};
            echo_column[count] = column + text_width(buffer);
            put_text_at(window, row, echo_column[count], typed);
            buffer[count++] = typed[0];
            buffer[count] = '\0';
            wnoutrefresh(window);
        } else {
            finish = false;  // a refused shortcut does not end the input
        }
        doupdate();
        key = read_key();
        if (finish) break;
    }
    nonl();
    keypad(stdscr, TRUE);
}
