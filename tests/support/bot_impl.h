// The parts of the test bot (bot.h): what every part shares, and the bot's
// state. The bot is split as the game is: bot.cpp plays a game from the
// title to the exit status; bot_screen.cpp reads the map, the panel and the
// titles off the screen and checks what every screen shares; bot_choices.cpp
// makes the player's choices (names, offers, side trips); bot_moves.cpp
// follows a move's announcements, its stock tables and the map after it;
// bot_market.cpp checks the trading dialog, the standings and the report.
// Private to those files.
#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string_view>
#include <vector>

#include "support/bot.h"
#include "support/game_driver.h"

namespace e2e {
namespace bot_detail {

using Clock = std::chrono::steady_clock;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

// Colour indexes of the palette, as the screen reports them.
constexpr int BLACK = 0, RED = 1, GREEN = 2, YELLOW = 3, BLUE = 4, MAGENTA = 5, CYAN = 6, WHITE = 7;

// The map's shape (screen_reader.h), letters 'A' to 'E' for the five companies.
constexpr int COMPANIES = 5;
constexpr int MAP_WIDTH = MAP_COLUMNS;
constexpr int MAP_HEIGHT = MAP_ROWS;
constexpr int CELLS = MAP_SECTORS;

// Names the bot gives its players: short and long ones, blanks and
// punctuation, and one of the longest 20 characters.
constexpr const char *NAME_POOL[] = {
    "Ann",
    "Bob",
    "Cy",
    "Dora-Lee",
    "Ed O'Hara",
    "Flo",
    "Guinevere Smith",
    "Hal 9000",
    "Ivo",
    "Jo Jo",
    "Ludmila Petrovskaya",
    "Maximilian Augustine",
    "Ned",
    "Olga",
    "Pip",
    "Q",
};

// The general window: 78 columns from screen column 1; its content row k
// is screen row 13 + k, and content columns 1 to 76 lie inside the border.
constexpr int GENERAL_WIDTH = 78;
constexpr int GENERAL_INNER = GENERAL_WIDTH - 2;
constexpr int GENERAL_ROWS = 9;  // content rows 1 to 9
constexpr int PANEL_WIDTH = 40;
constexpr int LIST_ROW = 3;      // trading list, content rows
constexpr int NAME_COLUMN = 20;  // trading list, content column
constexpr int PROMPT_COLUMN = 40;

constexpr std::string_view CTRL_F = "\x06";

// ------------------------------------------------------------ the screen

// Whether a cell has the style expected. The terminal's default colours
// and white on black are the same to curses (colour pair 0 is white on
// black), so it may leave either on the screen for the normal attribute.
inline bool drawn_as(const Style &got, const Style &want) {
    if (got == want) return true;
    if (want.fg != -1 || want.bg != -1) return false;
    Style white_on_black = want;
    white_on_black.fg = WHITE;
    white_on_black.bg = BLACK;
    return got == white_on_black;
}

// ------------------------------------------------------------ formatting

__attribute__((format(printf, 1, 2))) inline std::string format(const char *fmt, ...) {
    char buffer[256];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

inline std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

inline std::string key_name(std::string_view keys) {
    std::string out;
    for (const char ch : keys) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte == 27) {
            out += "<Esc>";
        } else if (byte == '\r') {
            out += "<CR>";
        } else if (byte == '\n') {
            out += "<LF>";
        } else if (byte == 127) {
            out += "<DEL>";
        } else if (byte < 32) {
            out += "<^" + std::string(1, static_cast<char>(byte + 64)) + ">";
        } else {
            out += ch;
        }
    }
    return out;
}

// A screen region as it must look: rows of text, each row starting at the
// same screen column. Rows marked skip are not compared.
struct Region {
    int top = 0;
    int left = 0;
    std::vector<std::string> rows;
    std::vector<bool> skip;

    Region(int top_row, int left_col, int height, int width)
        : top(top_row),
          left(left_col),
          rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), ' ')),
          skip(static_cast<std::size_t>(height), false) {}
    // Writes text at (row, col) relative to the region, clipped to it.
    void put(int row, int col, std::string_view text) {
        std::string &line = rows.at(static_cast<std::size_t>(row));
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::size_t at = static_cast<std::size_t>(col) + i;
            if (at < line.size()) line[at] = text[i];
        }
    }
};

// The general window's content area (content rows 1 to 9, columns 1 to 76).
struct General : Region {
    General() : Region(GENERAL_TOP + 1, 2, GENERAL_ROWS, GENERAL_INNER) {}
    // Text at content row k, content column j.
    void at(int k, int j, std::string_view text) { put(k - 1, j - 1, text); }
    // Text centred in the window's 78 columns, as the game centres it.
    void centred(int k, std::string_view text) {
        const int length = static_cast<int>(text.size());
        if (length <= GENERAL_WIDTH) at(k, (GENERAL_WIDTH - length) / 2, text);
    }
    void skip_row(int k) { skip[static_cast<std::size_t>(k - 1)] = true; }
};

inline std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
    return text;
}

enum Direction { NORTH, SOUTH, WEST, EAST };

// The symbol shown north, south, west or east of a sector of `map`, or 0
// where the map ends.
inline char neighbour(const std::string &map, int pos, Direction direction) {
    const int row = pos / MAP_WIDTH;
    const int col = pos % MAP_WIDTH;
    int r = row, c = col;
    if (direction == NORTH) --r;
    if (direction == SOUTH) ++r;
    if (direction == WEST) --c;
    if (direction == EAST) ++c;
    if (r < 0 || r >= MAP_HEIGHT || c < 0 || c >= MAP_WIDTH) return 0;
    return map[static_cast<std::size_t>(r * MAP_WIDTH + c)];
}

inline int neighbour_pos(int pos, Direction direction) {
    const int row = pos / MAP_WIDTH + (direction == SOUTH) - (direction == NORTH);
    const int col = pos % MAP_WIDTH + (direction == EAST) - (direction == WEST);
    if (row < 0 || row >= MAP_HEIGHT || col < 0 || col >= MAP_WIDTH) return -1;
    return row * MAP_WIDTH + col;
}

inline bool is_letter(char symbol) { return symbol >= 'A' && symbol < 'A' + COMPANIES; }

inline std::string sector_name(int pos) {
    return std::to_string(pos / MAP_WIDTH) + "," + std::to_string(pos % MAP_WIDTH);
}

// One row of the merger's stock table.
struct ExchangeRow {
    long long old_shares = 0;
    long long new_shares = 0;
    long long total = 0;
    long long bonus = 0;
};

// What the screens said happened in one move, announcement by announcement.
struct Events {
    std::vector<std::pair<char, char>> mergers;  // absorbed, survivor
    char founded = 0;                            // the letter of a new company
    char swallowed = 0;                          // a company lost to a black hole
    bool lost_founding = false;                  // a founding lost to a black hole
    bool lost_site = false;
};

}  // namespace bot_detail

using namespace bot_detail;

#define BOT_TRY(expr)                                          \
    do {                                                       \
        const ::testing::AssertionResult bot_result_ = (expr); \
        if (!bot_result_) return bot_result_;                  \
    } while (0)

#define BOT_CHECK(cond, message)           \
    do {                                   \
        if (!(cond)) return fail(message); \
    } while (0)

struct Bot::Impl {
    explicit Impl(BotOptions options);

    BotOptions opt;
    PinnedClock clock;
    std::mt19937 rng;
    Terminal t;
    BotStats stats;

    // The account, made only of what the screens said.
    std::string map;                           // the map as last read, offers as '.'
    std::array<std::string, COMPANIES> names;  // by letter, learned from the foundings
    std::vector<std::string> players;
    std::vector<long long> cash;                             // -1 until a screen showed it
    std::vector<std::array<long long, COMPANIES>> holdings;  // by player and letter
    std::array<long long, COMPANIES> price{};                // as the panel last showed it
    std::array<bool, COMPANIES> price_known{};               // and nothing since can have moved it
    int current = -1;
    long long sectors_and_remaining = -1;  // the standings' remaining sectors + letters on the map
    bool map_hidden = false;               // the last move's map and panel were never shown

    // The move prompt's offers, read off the map.
    std::array<int, 5> offers{};
    int offer_count = 0;

    int turn = 0;
    int style = 0;                   // 0 any offer, 1 outposts first, 2 companies first
    std::deque<std::string> recent;  // the last actions, for failure messages
    std::vector<BotPress> presses;   // every press, with where its answer begins

    // --- plumbing
    AssertionResult fail(const std::string &what) const;
    int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(int percent) { return roll(100) < percent; }
    template <typename T>
    T pick(const std::vector<T> &options) {
        return options[static_cast<std::size_t>(roll(static_cast<int>(options.size())))];
    }
    void note(const std::string &action);
    void press(std::string_view keys, const std::string &why);
    AssertionResult settle(Millis timeout = Millis{20000});
    AssertionResult settle_running(const char *where);

    // --- reading the screen
    std::string general_row(int k) const { return text_at(t, GENERAL_TOP + k, 2, GENERAL_INNER); }
    std::string read_map() const { return map_of(t); }
    AssertionResult read_panel(std::vector<PanelRow> &rows) const;
    AssertionResult read_title(std::string &name, long long &shown_cash) const;
    // The companies on the map with the prices the panel last showed, for
    // the windows that cover the panel.
    std::vector<PanelRow> last_panel() const;
    int player_named(const std::string &name) const;
    int letter_named(const std::string &name) const;
    long long letters(const std::string &of_map, char letter) const;

    // --- screen checks
    AssertionResult expect_text(int row, int col, std::string_view expected, const std::string &what) const;
    AssertionResult expect_region(const Region &region, const std::string &what) const;
    AssertionResult expect_cursor(Position expected, const std::string &what) const;
    AssertionResult expect_title(const std::string &title, bool blink) const;
    AssertionResult expect_panel(const std::string &when);
    AssertionResult expect_map_styles() const;
    AssertionResult expect_unchanged(const std::string &before, Position cursor,
                                     const std::string &what) const;
    AssertionResult expect_standings(bool final);
    AssertionResult expect_report();
    AssertionResult expect_quit_window() const;

    // --- playing
    AssertionResult play();
    AssertionResult title_screen();
    AssertionResult read_galaxy();
    AssertionResult move_turn();
    AssertionResult read_offers();
    int choose_offer();
    AssertionResult hotkey(bool trading, std::optional<Position> put_back = std::nullopt);
    AssertionResult announce(const std::string &title, bool blink, const General &content, bool panel_fresh,
                             const std::string &what);
    AssertionResult follow_move(int pos);
    AssertionResult exchange(char absorbed, char survivor, bool absorbed_price_known,
                             long long absorbed_price);
    AssertionResult expect_map_after(int pos, const std::string &before, const std::array<char, 4> &around,
                                     const Events &events);
    AssertionResult trading();
    AssertionResult expect_trading(const std::vector<PanelRow> &entries, int selected, bool moved,
                                   Position cursor) const;
    AssertionResult trade(const std::vector<PanelRow> &entries, int selected, bool moved);
    AssertionResult finish();
};

}  // namespace e2e
