// Terminal interface: colours, window helpers, key reading, the line editor,
// the help window and the quit confirmation.
#pragma once

#include "game/state.h"

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

// colors.cpp
void init_colors();

// window.cpp
bool utf8_locale();
int character_length(const char *bytes, std::size_t count);
int text_width(const char *text);
bool blank_text(const char *text);
void visible_bytes(const char *text, char *out, std::size_t size);
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
void close_dialog(WINDOW *dialog);
void restage(std::initializer_list<WINDOW *> windows);

// terminal.cpp
constexpr int MIN_LAYOUT_COLS = 80;  // the smallest layout that shows the whole game
constexpr int MIN_LAYOUT_LINES = 24;
void start_terminal();
void restore_terminal();
bool terminal_size(int &height, int &width);
void require_layout_fits();
[[noreturn]] void fatal(const char *message);
[[noreturn]] void input_closed();
int read_key();
int parse_int(const char *text);

// input.cpp
constexpr int INPUT_TEXT = 0;
constexpr int INPUT_AMOUNT = 1;
void get_line(WINDOW *window, int row, int column, int max_len, int mode, char *buffer, std::size_t size);

// help.cpp
enum class HelpFrom { MOVE_PROMPT, TRADING };
void show_help(HelpFrom from);

// quit.cpp
void confirm_quit();
[[noreturn]] void quit_before_game();
