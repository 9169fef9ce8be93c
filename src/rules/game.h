// The rules' side of vegatrade: the game as one value. Everything here and in
// the rest of src/rules is plain data and free functions that know nothing of
// the terminal; the screens (src/screens) show the one game being played,
// and anything that must ask "what would this move do?" plays a copy.
#pragma once

#include <climits>
#include <cstdint>

constexpr int NUM_COMPANIES = 5;
constexpr int MAX_PLAYERS = 4;
constexpr int NUM_MOVES = 5;
constexpr int STARTING_CASH = 6000;

constexpr int map_width = 12;
constexpr int map_height = 10;
constexpr int MAP_CELLS = map_width * map_height;

// Sector symbols: the only values the galaxy ever holds, besides the
// company letters 'A' + i.
constexpr char SECTOR_EMPTY = '.';
constexpr char SECTOR_STAR = '*';
constexpr char SECTOR_BLACK_HOLE = '@';
constexpr char SECTOR_OUTPOST = '+';

// The numbers of the rules, each written here once: the rules and the
// computer player read them from here.
// A new company's price, and the shares its founder gets.
constexpr int FOUNDING_PRICE = 100;
constexpr int FOUNDER_SHARES = 5;
// What a company's new sector adds to its price, and what each star beside
// it adds and each black hole beside it takes away.
constexpr int SECTOR_VALUE = 100;
constexpr int STAR_VALUE = 500;
constexpr int BLACK_HOLE_COST = 500;
// A merger shares out this many times the absorbed company's price as
// bonuses to its holders.
constexpr int MERGER_BONUS_FACTOR = 10;
// After each claim the mover is paid this share of the price of every
// share held.
constexpr double DIVIDEND_RATE = 0.05;
// A company whose price passes this splits its stock two-for-one.
constexpr int SPLIT_THRESHOLD = 3000;
// The game ends once the companies hold this percentage of the map.
constexpr int END_SHARE_PERCENT = 54;

// The bytes a company's or a player's name is stored in, its end included.
constexpr int NAME_SIZE = 100;

struct Company {
    char name[NAME_SIZE];
    int price;
    int size;  // sectors held; 0 means the company is not active
    bool operator==(const Company &) const = default;
};

struct Player {
    char name[NAME_SIZE];
    int holdings[NUM_COMPANIES];
    int cash;
    bool operator==(const Player &) const = default;
};

// The whole game: the map, the companies, the players and whose turn it is.
// A fixed-size record, so a copy can be played forward on its own.
struct Game {
    char galaxy[MAP_CELLS];  // sector `pos` = row * map_width + column
    Company companies[NUM_COMPANIES];
    Player players[MAX_PLAYERS];
    int num_players;
    int current_player;
    bool operator==(const Game &) const = default;
};

// A source of random numbers as the C library's rand() gives them: each
// draw is a value from 0 to RAND_MAX. The game being played draws from
// rand() itself; a copy played to look ahead brings a generator of its own.
struct Random {
    int (*draw)(void *state);
    void *state;
    int next() const { return draw(state); }
};

// The C library's rand().
Random c_library_random();

// A generator of its own (splitmix64) for a copy of the game, seeded by its
// owner: look-ahead and measurements draw from one, never from rand(), so
// the game's own draws stay as they are.
struct SeededRandom {
    std::uint64_t state;
};
Random seeded_random(SeededRandom &generator);

// Money and share counts are ints; sums and products are formed in 64 bits
// and stored back clamped to the int range, so they never wrap.
constexpr int clamp_int(std::int64_t value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// The float steps of the rules: an int taken to single precision, then to
// double, and the double result truncated toward zero (clamped to int).
inline double as_float_double(int value) { return static_cast<double>(static_cast<float>(value)); }
inline int truncate_to_int(double value) {
    if (!(value < 2147483648.0)) return INT_MAX;
    if (!(value > -2147483649.0)) return INT_MIN;
    return static_cast<int>(value);
}

// True for the company letters 'A' to 'Z' (only 'A' to 'E' occur).
constexpr bool is_company_letter(int symbol) { return symbol >= 'A' && symbol <= 'Z'; }
constexpr char company_letter(int company) { return static_cast<char>('A' + company); }
