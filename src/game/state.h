// The game state shared by every part of vegatrade: constants, the company
// and player records, and the process-wide globals that hold them.
#pragma once

#include <curses.h>

#include <climits>
#include <cstdint>

constexpr int NUM_COMPANIES = 5;
constexpr int MAX_PLAYERS = 4;
constexpr int NUM_MOVES = 5;
constexpr int STARTING_CASH = 6000;

constexpr const char *VERSION = "1.2.2";
constexpr const char *VERSION_DATE = "29-Mar-1997";

// Sector symbols: the only values the galaxy ever holds, besides the
// company letters 'A' + i.
constexpr char SECTOR_EMPTY = '.';
constexpr char SECTOR_STAR = '*';
constexpr char SECTOR_BLACK_HOLE = '@';
constexpr char SECTOR_OUTPOST = '+';

constexpr int NAME_SIZE = 100;
constexpr int MAX_NAME_LEN = 20;

struct Company {
    char name[NAME_SIZE];
    int price;
    int size;  // sectors held; 0 means the company is not active
};

struct Player {
    char name[NAME_SIZE];
    int holdings[NUM_COMPANIES];
    int stock_value;  // as last computed by show_standings
    int cash;
};

extern int map_width;
extern int map_height;
extern int use_color;
extern int num_players;
extern int current_player;
extern int screen_lines;  // layout height; curses' own LINES is never used
extern int screen_cols;   // layout width; curses' own COLS is never used

extern char *galaxy;
extern Company *companies;
extern Player *players;

extern WINDOW *map_window;
extern WINDOW *general_window;
extern WINDOW *coinfo_window;

// Money and share counts are ints; sums and products are formed in 64 bits
// and stored back clamped to the int range, so they never wrap.
constexpr int clamp_int(std::int64_t value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// The float steps of the rules: an int taken to single precision, then to
// double, and the double result truncated toward zero (clamped to int).
inline double as_float_double(int value) {
    return static_cast<double>(static_cast<float>(value));
}
inline int truncate_to_int(double value) {
    if (!(value < 2147483648.0)) return INT_MAX;
    if (!(value > -2147483649.0)) return INT_MIN;
    return static_cast<int>(value);
}

// True for the company letters 'A' to 'Z' (only 'A' to 'E' occur).
constexpr bool is_company_letter(int symbol) { return symbol >= 'A' && symbol <= 'Z'; }
