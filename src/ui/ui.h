// Terminal interface: colours, window helpers, player text, key reading,
// the line editor, the help window, the quit confirmation and the keys
// every prompt serves.
#pragma once

#include "game/state.h"
#include "ui/text.h"

#include <array>
#include <cstddef>
#include <initializer_list>

// Colour pair numbers, in the order init_colors defines them.
enum ColorPair : short {
    PAIR_BLUE = 1,          // company A, general border, title-bar rule, dialog borders
    PAIR_RED = 2,           // company D, quit-window border
    PAIR_GREEN = 3,         // company B
    PAIR_YELLOW = 4,        // company C, stars, title-screen border, quit question
    PAIR_MAGENTA = 5,       // company E
    PAIR_CYAN = 6,          // outposts
    PAIR_WHITE = 7,         // open space, map border
    PAIR_YELLOW_ON_BLUE = 8,
    PAIR_WHITE_ON_BLUE = 9,
    PAIR_BLACK_ON_YELLOW = 10,
    PAIR_BLACK_ON_WHITE = 11,
    PAIR_BLACK_ON_RED = 12,
    PAIR_BLACK_ON_BLUE = 13,
    PAIR_BLACK_ON_GREEN = 14,
};

constexpr attr_t pair_attr(ColorPair pair) { return static_cast<attr_t>(COLOR_PAIR(pair)); }

// The colour attribute of each company's letter and name.
inline constexpr std::array<attr_t, NUM_COMPANIES> company_attr = {
    A_BOLD | pair_attr(PAIR_BLUE), pair_attr(PAIR_GREEN), pair_attr(PAIR_YELLOW),
    pair_attr(PAIR_RED), pair_attr(PAIR_MAGENTA)};

// The attribute of a company's name: its colour, or nothing in monochrome.
attr_t company_name_attr(int company);

// Chooses between a colour and a monochrome attribute by use_color.
inline attr_t scheme_attr(attr_t colour, attr_t mono) { return use_color ? colour : mono; }

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

// colors.cpp
void init_colors();

// window.cpp
void put_text(WINDOW *window, const char *text);
void put_text_at(WINDOW *window, int row, int column, const char *text);
void put_text_attr(WINDOW *window, attr_t attr, const char *text);
void put_text_attr_at(WINDOW *window, int row, int column, attr_t attr, const char *text);
void center_text(WINDOW *window, int width, int row, const char *text);
void general_header(const char *title, int blink);
bool note_too_small();
void redraw_all();
void redraw_title_screen();
void wait_key(int row);
WINDOW *create_window(int rows, int columns, int top, int left, const char *failure);
WINDOW *open_dialog(int rows, int columns, attr_t border, const char *failure);
int wait_dialog_key(WINDOW *dialog);
void delete_dialog(WINDOW *dialog);
void close_dialog(WINDOW *dialog);
void restage(std::initializer_list<WINDOW *> windows);
void format_cash_title(char *title, std::size_t size, const Player &player);

// terminal.cpp
constexpr int MIN_LAYOUT_COLS = 80;  // the smallest layout that shows the whole game
constexpr int MIN_LAYOUT_LINES = 24;
void start_terminal();
void restore_terminal(bool clear_first);
bool terminal_size(int &height, int &width);
void require_layout_fits();
[[noreturn]] void fatal(const char *message);
[[noreturn]] void input_closed();
// What the screens draw again when the game comes back from Ctrl-Z.
using Repaint = void (*)();
void on_resume(Repaint repaint);
void suspend();
int read_key();
constexpr int NO_KEY = -1;
int read_key_within(int milliseconds);
long long clock_ms();
int parse_int(const char *text);

// input.cpp
constexpr int INPUT_TEXT = 0;
constexpr int INPUT_AMOUNT = 1;
constexpr int INPUT_NAME = 2;  // free text, where Tab on an empty line gives the seat to the computer
bool get_line(WINDOW *window, int row, int column, int max_len, int mode, char *buffer, std::size_t size);

// help.cpp
enum class HelpFrom { MOVE_PROMPT, TRADING };
void show_help(HelpFrom from);

// quit.cpp
void confirm_quit();
[[noreturn]] void quit_before_game();

// pause.cpp
// How long each step of a computer's turn stays on the screen at least, and
// an announcement when nobody at the terminal plays.
constexpr int OFFERS_PAUSE_MS = 1000;
constexpr int STEP_PAUSE_MS = 400;
constexpr int ANNOUNCEMENT_PAUSE_MS = 1500;
int pause_for_key(int milliseconds);
void computer_pause(int milliseconds);
bool every_seat_computer();

// hotkeys.cpp
// What a key did at the move prompt or in the trading dialog.
enum class Hotkey {
    NONE,       // not one of the keys both take
    REPAINTED,  // Ctrl-L repainted the screen
    SHOWN,      // a window (standings, company report, quit question) came and went
};
Hotkey serve_hotkey(int key, HelpFrom from);
