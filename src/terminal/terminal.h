// The terminal layer, which knows no game: starting and restoring the
// terminal, the layout's size and display scheme, writing text into
// windows, reading keys (with timeouts, repainting when the terminal is
// resized), the line editor, the pause that a key ends, and leaving on a
// fatal error. What the keys it reads but cannot
// answer itself do (Ctrl-L, and Ctrl-C typed into free text) is given to it
// by the code that knows the game (set_key_actions).
#pragma once

#include <curses.h>

#include "terminal/text.h"

#include <cstddef>
#include <initializer_list>

// The layout the screens are drawn for: the display scheme and the size.
extern int use_color;
extern int screen_lines;  // layout height; curses' own LINES is never used
extern int screen_cols;   // layout width; curses' own COLS is never used

// Keys are compared in ASCII whatever the locale: a letter's other case, any
// other key (a byte above 127, a key code) unchanged.
constexpr int ascii_upper(int key) { return key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key; }
constexpr int ascii_lower(int key) { return key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key; }

// Control keys as they arrive in raw mode.
constexpr int CTRL_C = 3;
constexpr int CTRL_F = 6;
constexpr int CTRL_L = 12;
constexpr int CTRL_Z = 26;
constexpr int ESCAPE = 27;

// What the keys the terminal layer reads, but cannot answer itself, do:
// `repaint` repaints the whole screen shown (Ctrl-L at a pause or in a line
// edited outside stdscr, and a resize of the terminal), `interrupt` leaves the program (Ctrl-C typed into
// free text) and does not return. Until they are given, Ctrl-L repaints
// stdscr and Ctrl-C ends the program as a fatal error does.
struct KeyActions {
    void (*repaint)();
    void (*interrupt)();
};
void set_key_actions(const KeyActions &actions);
const KeyActions &key_actions();

// window.cpp
void put_text(WINDOW *window, const char *text);
void put_text_at(WINDOW *window, int row, int column, const char *text);
void put_text_attr(WINDOW *window, attr_t attr, const char *text);
void put_text_attr_at(WINDOW *window, int row, int column, attr_t attr, const char *text);
void center_text(WINDOW *window, int width, int row, const char *text);
bool layout_fits_terminal();
bool note_too_small();
void repaint_windows(std::initializer_list<WINDOW *> windows);
WINDOW *create_window(int rows, int columns, int top, int left, const char *failure);
void restage(std::initializer_list<WINDOW *> windows);

// terminal.cpp
constexpr int MIN_LAYOUT_COLS = 80;  // the smallest layout that shows the whole game
constexpr int MIN_LAYOUT_LINES = 24;
void start_terminal();
void restore_terminal(bool clear_first);
bool terminal_size(int &height, int &width);
void require_layout_fits();
[[noreturn]] void fatal(const char *message);
[[noreturn]] void input_closed();
// Ctrl-Z, read by read_key and read_key_within, suspends the game; on `fg`
// it repaints with the Ctrl-L repaint, or with what on_resume gave. The
// same repaint answers, while they wait, a change of the terminal's size.
using Repaint = void (*)();
void on_resume(Repaint repaint);
void suspend();
int read_key();
constexpr int NO_KEY = -1;
int read_key_within(int milliseconds);
void drop_typed_keys();
long long clock_ms();
int parse_int(const char *text);

// line_editor.cpp
constexpr int INPUT_TEXT = 0;
constexpr int INPUT_AMOUNT = 1;
constexpr int INPUT_NAME = 2;  // free text, where Tab on an empty line ends it for a choice in its place
constexpr int LINE_EDITOR_ENTRIES = 100;  // the most characters a line holds
bool get_line(WINDOW *window, int row, int column, int max_len, int mode, char *buffer, std::size_t size);
// The answer to a choice shown on an edited line (a computer's strength in
// place of a name): Tab for the next one, Enter to take it, an erase key to
// empty the line again.
enum class LineChoice { NEXT, TAKE, ERASE };
LineChoice read_line_choice(WINDOW *window);

// pause.cpp
int pause_for_key(int milliseconds);
