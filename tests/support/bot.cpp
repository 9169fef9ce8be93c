// The bot that plays whole games through the terminal; see bot.h.
//
// It knows no rule of the game and draws nothing the game draws: it reads
// the map, the offers, the panel, the titles and every announcement off
// the screen, and checks that the screens agree with one another. The
// title's cash and the panel's holdings move by exactly amount x price
// after a trade; a split doubles every holding; a merger's table adds the
// new stock to the holdings the screens showed before, and its bonuses add
// up to ten times the absorbed price within rounding; the report's sizes
// are the letters on the map, and its worths, like the standings' net
// worths, are cash plus holdings x the prices on the panel; every change
// to the map and every announcement agrees with the four neighbours the
// map showed around the chosen sector. Its account of each player's cash
// and holdings is made of what the screens said, so a player's panel and
// title must show it again at the next turn. What the rules compute
// (prices, dividends, offers, the survivor) is checked in-process, by the
// tables of the galaxy, market and game tests.
//
// Between keys it waits until the game asks for the next key
// (Terminal::wait_for_key_request), so every screen it checks is complete,
// and no wait sleeps.
#include "support/bot.h"

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

#include "support/game_driver.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

// Colour indexes of the palette, as the screen reports them.
constexpr int BLACK = 0, RED = 1, GREEN = 2, YELLOW = 3, BLUE = 4, MAGENTA = 5, CYAN = 6, WHITE = 7;

// The map's shape on the default layout: 12 columns of sectors by 10 rows,
// letters 'A' to 'E' for the five companies.
constexpr int COMPANIES = 5;
constexpr int MAP_WIDTH = 12;
constexpr int MAP_HEIGHT = 10;
constexpr int CELLS = MAP_WIDTH * MAP_HEIGHT;

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
bool drawn_as(const Style &got, const Style &want) {
    if (got == want) return true;
    if (want.fg != -1 || want.bg != -1) return false;
    Style white_on_black = want;
    white_on_black.fg = WHITE;
    white_on_black.bg = BLACK;
    return got == white_on_black;
}

// ------------------------------------------------------------ formatting

__attribute__((format(printf, 1, 2))) std::string format(const char *fmt, ...) {
    char buffer[256];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string key_name(std::string_view keys) {
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

std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
    return text;
}

enum Direction { NORTH, SOUTH, WEST, EAST };

// The symbol shown north, south, west or east of a sector of `map`, or 0
// where the map ends.
char neighbour(const std::string &map, int pos, Direction direction) {
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

int neighbour_pos(int pos, Direction direction) {
    const int row = pos / MAP_WIDTH + (direction == SOUTH) - (direction == NORTH);
    const int col = pos % MAP_WIDTH + (direction == EAST) - (direction == WEST);
    if (row < 0 || row >= MAP_HEIGHT || col < 0 || col >= MAP_WIDTH) return -1;
    return row * MAP_WIDTH + col;
}

bool is_letter(char symbol) { return symbol >= 'A' && symbol < 'A' + COMPANIES; }

std::string sector_name(int pos) {
    return std::to_string(pos / MAP_WIDTH) + "," + std::to_string(pos % MAP_WIDTH);
}

// One company row of the panel.
struct PanelRow {
    std::string name;
    long long price = 0;
    long long holding = 0;
};

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

}  // namespace

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
    bool general_says(int k, std::string_view text) const { return trimmed(general_row(k)) == text; }
    std::string read_map() const;
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

namespace {

Options terminal_options(const BotOptions &options, const PinnedClock &clock) {
    Options o;
    o.args = {options.monochrome ? "-m" : "-c"};
    o.pin_clock = clock;
    return o;
}

// Three numbers drawn from the seed and the setup: the bot's own seed, the
// clock and the process id the game sees. So the seed alone replays a game,
// and the setups with one seed play different games.
std::array<std::uint32_t, 3> seeds_for(const BotOptions &options) {
    std::seed_seq mix{options.seed, static_cast<std::uint32_t>(options.players),
                      static_cast<std::uint32_t>(options.monochrome ? 1 : 0)};
    std::array<std::uint32_t, 3> words{};
    mix.generate(words.begin(), words.end());
    return words;
}

PinnedClock clock_for(const BotOptions &options) {
    const auto words = seeds_for(options);
    return PinnedClock{700000000 + static_cast<long long>(words[1] % 900000000u),
                       1000 + static_cast<long long>(words[2] % 4000000u)};
}

}  // namespace

Bot::Impl::Impl(BotOptions options)
    : opt(options),
      clock(clock_for(options)),
      rng(seeds_for(options)[0]),
      t(terminal_options(options, clock)) {}

// ------------------------------------------------------------ plumbing

AssertionResult Bot::Impl::fail(const std::string &what) const {
    AssertionResult result = ::testing::AssertionFailure();
    result << "bot seed " << opt.seed << " (" << opt.players << " player" << (opt.players == 1 ? "" : "s")
           << ", " << (opt.monochrome ? "monochrome" : "colour") << "; game clock " << clock.time << ", pid "
           << clock.pid << "), turn " << turn << ":\n  " << what << "\nlast actions:\n";
    for (const std::string &action : recent) result << "  " << action << '\n';
    result << "what the screens said so far:\n";
    for (std::size_t p = 0; p < players.size(); ++p) {
        result << "  " << players[p] << ": cash " << cash[p] << ", holdings";
        for (const long long h : holdings[p]) result << ' ' << h;
        result << '\n';
    }
    result << '\n' << t.dump();
    return result;
}

void Bot::Impl::note(const std::string &action) {
    recent.push_back("turn " + std::to_string(turn) + ": " + action);
    if (recent.size() > 16) recent.pop_front();
}

void Bot::Impl::press(std::string_view keys, const std::string &why) {
    note("typed " + key_name(keys) + " (" + why + ")");
    presses.push_back({std::string(keys), why, turn, t.output_bytes().size()});
    t.type(keys);
}

// Waits until the game waits for a key (or has ended), so the screen it
// shows is complete.
AssertionResult Bot::Impl::settle(Millis timeout) {
    if (!t.running()) return AssertionSuccess();
    const AssertionResult waiting = t.wait_for_key_request(timeout);
    if (waiting || !t.running()) return AssertionSuccess();
    return fail(std::string("the game did not come to wait for a key: ") + waiting.message());
}

AssertionResult Bot::Impl::settle_running(const char *where) {
    BOT_TRY(settle());
    if (!t.running()) return fail(std::string("the game ended ") + where);
    return AssertionSuccess();
}

// ------------------------------------------------------------ reading the screen

// The symbols of the map; an offer's digit reads as the open space under it.
std::string Bot::Impl::read_map() const {
    std::string shown(static_cast<std::size_t>(CELLS), '?');
    for (int pos = 0; pos < CELLS; ++pos) {
        const Position at = sector_cell(pos / MAP_WIDTH, pos % MAP_WIDTH);
        const std::string ch = t.cell(at.row, at.col).ch;
        const char symbol = ch.size() == 1 ? ch.front() : '?';
        shown[static_cast<std::size_t>(pos)] = symbol >= '1' && symbol <= '5' ? '.' : symbol;
    }
    return shown;
}

// The panel's companies, each row checked for its layout.
AssertionResult Bot::Impl::read_panel(std::vector<PanelRow> &rows) const {
    rows.clear();
    BOT_TRY(expect_text(MAP_TOP, PANEL_LEFT, format(" %-19s    %5s  %8s ", "Company", "Price", "Holdings"),
                        "the company panel's header"));
    for (int j = 0; j < COMPANIES; ++j) {
        const int row = MAP_TOP + 2 + 2 * j;
        const std::string text = text_at(t, row, PANEL_LEFT, PANEL_WIDTH);
        if (trimmed(text).empty()) break;
        if (j == 0 && text.starts_with(" no active companies")) break;
        PanelRow entry;
        entry.name = trimmed(text.substr(0, 24));
        BOT_CHECK(std::sscanf(text.c_str() + 24, "$%lld %lld", &entry.price, &entry.holding) == 2,
                  "the company panel's row " + std::to_string(row) + " reads \"" + text + "\"");
        BOT_TRY(expect_text(
            row, PANEL_LEFT,
            padded(format(" %-19s    $%-4lld   %-5lld", entry.name.c_str(), entry.price, entry.holding),
                   PANEL_WIDTH),
            "the company panel's row for " + entry.name));
        rows.push_back(entry);
    }
    return AssertionSuccess();
}

// The name and cash in the general window's title " NAME (Cash: $N) ".
AssertionResult Bot::Impl::read_title(std::string &name, long long &shown_cash) const {
    std::string row = text_at(t, GENERAL_TOP, 2, GENERAL_INNER);
    const std::size_t first = row.find_first_not_of('/');
    const std::size_t last = row.find_last_not_of('/');
    const std::string title = first == std::string::npos ? "" : row.substr(first, last - first + 1);
    const std::size_t at = title.rfind(" (Cash: $");
    BOT_CHECK(at != std::string::npos && at >= 1 && title.ends_with(") "),
              "the general window's title \"" + title + "\" names no player and cash");
    name = title.substr(1, at - 1);
    shown_cash = std::atoll(title.c_str() + at + 9);
    return expect_title(" " + name + " (Cash: $" + std::to_string(shown_cash) + ") ", false);
}

std::vector<PanelRow> Bot::Impl::last_panel() const {
    std::vector<PanelRow> rows;
    for (int i = 0; i < COMPANIES; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (letters(map, static_cast<char>('A' + i)) > 0) rows.push_back({names[at], price[at], 0});
    }
    return rows;
}

int Bot::Impl::player_named(const std::string &name) const {
    for (std::size_t p = 0; p < players.size(); ++p) {
        if (players[p] == name) return static_cast<int>(p);
    }
    return -1;
}

int Bot::Impl::letter_named(const std::string &name) const {
    for (int i = 0; i < COMPANIES; ++i) {
        if (!name.empty() && names[static_cast<std::size_t>(i)] == name) return i;
    }
    return -1;
}

long long Bot::Impl::letters(const std::string &of_map, char letter) const {
    return std::count(of_map.begin(), of_map.end(), letter);
}

// ------------------------------------------------------------ screen checks

AssertionResult Bot::Impl::expect_text(int row, int col, std::string_view expected,
                                       const std::string &what) const {
    const std::string actual = text_at(t, row, col, static_cast<int>(expected.size()));
    if (actual == expected) return AssertionSuccess();
    return fail(what + ": expected at (" + std::to_string(row) + ", " + std::to_string(col) + ")\n    \"" +
                std::string(expected) + "\"\n  the screen shows\n    \"" + actual + "\"");
}

AssertionResult Bot::Impl::expect_region(const Region &region, const std::string &what) const {
    for (std::size_t r = 0; r < region.rows.size(); ++r) {
        if (region.skip[r]) continue;
        BOT_TRY(expect_text(region.top + static_cast<int>(r), region.left, region.rows[r], what));
    }
    return AssertionSuccess();
}

AssertionResult Bot::Impl::expect_cursor(Position expected, const std::string &what) const {
    std::ostringstream out;
    out << what << ": expected the cursor at " << expected << ", it is at " << t.cursor();
    BOT_CHECK(t.cursor() == expected, out.str());
    return AssertionSuccess();
}

// The general window's top row: a border of '/' with the title centred on it.
AssertionResult Bot::Impl::expect_title(const std::string &title, bool blink) const {
    std::string row(static_cast<std::size_t>(GENERAL_INNER), '/');
    const int column = (GENERAL_WIDTH - static_cast<int>(title.size())) / 2;  // window column
    row.replace(static_cast<std::size_t>(column - 1), title.size(), title);
    BOT_TRY(expect_text(GENERAL_TOP, 2, row, "the general window's title"));
    const Cell first = t.cell(GENERAL_TOP, 1 + column);
    const bool styled = opt.monochrome
                            ? first.reverse && !first.bold
                            : first.bold && !first.reverse && first.fg == WHITE && first.bg == BLUE;
    std::ostringstream out;
    out << "the title \"" << title << "\" is drawn " << static_cast<const Style &>(first);
    BOT_CHECK(styled && first.blink == blink, out.str());
    return AssertionSuccess();
}

// The company panel lists, in letter order, the companies whose letters are
// on the map, with the current player's holdings as the screens left them;
// its prices become the ones the bot knows.
AssertionResult Bot::Impl::expect_panel(const std::string &when) {
    std::vector<PanelRow> rows;
    BOT_TRY(read_panel(rows));
    std::vector<int> listed;
    for (const PanelRow &row : rows) {
        const int i = letter_named(row.name);
        BOT_CHECK(i >= 0,
                  "the company panel " + when + " lists \"" + row.name + "\", which was never founded");
        listed.push_back(i);
    }
    const std::string shown = read_map();
    std::vector<int> on_map;
    for (int i = 0; i < COMPANIES; ++i) {
        if (letters(shown, static_cast<char>('A' + i)) > 0) on_map.push_back(i);
    }
    BOT_CHECK(listed == on_map,
              "the company panel " + when + " lists other companies than the map's letters");
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const auto i = static_cast<std::size_t>(listed[j]);
        const long long held = holdings[static_cast<std::size_t>(current)][i];
        BOT_CHECK(rows[j].holding == held, "the company panel " + when + " shows " +
                                               players[static_cast<std::size_t>(current)] + " holding " +
                                               std::to_string(rows[j].holding) + " of " + rows[j].name +
                                               "; the screens before said " + std::to_string(held));
        BOT_CHECK(rows[j].price > 0,
                  "the company panel " + when + " shows a price of $" + std::to_string(rows[j].price));
        price[i] = rows[j].price;
        price_known[i] = true;
    }
    return AssertionSuccess();
}

// Every sector in the style of its symbol; an offer's digit in reverse video.
AssertionResult Bot::Impl::expect_map_styles() const {
    for (int pos = 0; pos < CELLS; ++pos) {
        const Position at = sector_cell(pos / MAP_WIDTH, pos % MAP_WIDTH);
        const Cell cell = t.cell(at.row, at.col);
        const char symbol = cell.ch.size() == 1 ? cell.ch.front() : '?';
        Style want;
        if (symbol >= '1' && symbol <= '5') {
            want.reverse = true;
        } else if (opt.monochrome) {
            want.bold = symbol == '*';
        } else {
            switch (symbol) {
                case '*': want = Style{true, false, false, false, YELLOW, BLACK}; break;
                case '+': want = Style{false, false, false, false, CYAN, BLACK}; break;
                case 'A': want = Style{true, false, false, false, BLUE, BLACK}; break;
                case 'B': want = Style{false, false, false, false, GREEN, BLACK}; break;
                case 'C': want = Style{false, false, false, false, YELLOW, BLACK}; break;
                case 'D': want = Style{false, false, false, false, RED, BLACK}; break;
                case 'E': want = Style{false, false, false, false, MAGENTA, BLACK}; break;
                default: break;
            }
        }
        const Style &got = cell;
        std::ostringstream out;
        out << "sector " << sector_name(pos) << " \"" << cell.ch << "\" is drawn " << got << ", expected "
            << want;
        BOT_CHECK(drawn_as(got, want), out.str());
    }
    return AssertionSuccess();
}

AssertionResult Bot::Impl::expect_unchanged(const std::string &before, Position cursor,
                                            const std::string &what) const {
    if (t.screen_text() != before)
        return fail(what + " should leave the screen as it was, which was:\n" + before);
    return expect_cursor(cursor, what);
}

// The standings: every player's cash as the screens said, stock value the
// holdings at the panel's prices, net worth their sum, richest first; the
// sectors remaining fall by one for each letter added to the map.
AssertionResult Bot::Impl::expect_standings(bool final) {
    const int n = static_cast<int>(players.size());
    const std::string title = final ? "  GAME OVER - Final Standings  " : "  Current Standings  ";
    BOT_TRY(expect_text(5, 10 + (60 - static_cast<int>(title.size())) / 2, title, "the standings title"));
    const std::vector<PanelRow> panel = last_panel();
    Region inside(6, 11, n + 7, 58);  // window rows 1 to n + 7, columns 1 to 58
    inside.put(1, 1, "=Player================Stock Value===Cash=====Net Worth=");
    long long richer = std::numeric_limits<long long>::max();
    std::vector<bool> listed(static_cast<std::size_t>(n), false);
    for (int place = 0; place < n; ++place) {
        const std::string row = text_at(t, 9 + place, 13, 56);
        int p = -1;
        for (int q = 0; q < n; ++q) {
            const std::string &name = players[static_cast<std::size_t>(q)];
            if (!listed[static_cast<std::size_t>(q)] && row.starts_with(name) &&
                (row.size() == name.size() || row[name.size()] == ' ') &&
                (p < 0 || name.size() > players[static_cast<std::size_t>(p)].size()))
                p = q;
        }
        BOT_CHECK(p >= 0,
                  "the standings row " + std::to_string(place + 1) + " names no player: \"" + row + "\"");
        listed[static_cast<std::size_t>(p)] = true;
        const auto pi = static_cast<std::size_t>(p);
        long long value = 0;
        for (const PanelRow &company : panel) {
            value += holdings[pi][static_cast<std::size_t>(letter_named(company.name))] * company.price;
        }
        long long shown_value = 0, shown_cash = 0, shown_worth = 0;
        // The name's field is 22 columns, whatever the name's length.
        const std::string figures = row.substr(std::min<std::size_t>(22, row.size()));
        BOT_CHECK(
            std::sscanf(figures.c_str(), "$%lld $%lld $%lld", &shown_value, &shown_cash, &shown_worth) == 3,
            "the standings row of " + players[pi] + " reads \"" + row + "\"");
        if (cash[pi] < 0) cash[pi] = shown_cash;  // first seen here
        BOT_CHECK(shown_cash == cash[pi], "the standings show " + players[pi] + "'s cash as $" +
                                              std::to_string(shown_cash) + "; the screens before said $" +
                                              std::to_string(cash[pi]));
        BOT_CHECK(map_hidden || shown_value == value,
                  "the standings show " + players[pi] + "'s stock as $" + std::to_string(shown_value) +
                      "; the holdings at the panel's prices are $" + std::to_string(value));
        BOT_CHECK(shown_worth == shown_cash + shown_value,
                  "the standings' net worth of " + players[pi] + " is not cash plus stock value");
        BOT_CHECK(shown_worth <= richer, "the standings do not list the richest first");
        richer = shown_worth;
        inside.put(3 + place, 2,
                   padded(players[pi], 22) + format("$%-8lld   $%-8lld  ", shown_value, shown_cash) +
                       format("$%-8lld", shown_worth));
    }
    const std::string remaining_row = trimmed(text_at(t, 6 + n + 4, 11, 58));
    const std::string label = "Available company sectors remaining: ";
    BOT_CHECK(remaining_row.starts_with(label),
              "the standings' sectors remaining read \"" + remaining_row + "\"");
    const long long remaining = std::atoll(remaining_row.c_str() + label.size());
    long long taken = 0;
    for (int i = 0; i < COMPANIES; ++i) taken += letters(map, static_cast<char>('A' + i));
    if (sectors_and_remaining < 0) sectors_and_remaining = remaining + taken;
    BOT_CHECK(map_hidden || remaining + taken == sectors_and_remaining,
              "the standings' sectors remaining (" + std::to_string(remaining) + ") did not fall by the " +
                  std::to_string(taken) + " company sectors on the map");
    inside.put(n + 4, (60 - static_cast<int>(remaining_row.size())) / 2 - 1, remaining_row);
    inside.put(n + 6, 15, "Press any key to continue...");
    return expect_region(inside, final ? "the final standings" : "the current standings");
}

// The detailed company report: the panel's companies and prices, sizes
// that count the letters on the map, worths of every player's holdings.
AssertionResult Bot::Impl::expect_report() {
    const std::vector<PanelRow> panel = last_panel();
    const int n = static_cast<int>(panel.size());
    BOT_TRY(expect_text(5, 25, " Detailed Company Information ", "the report's title"));
    Region inside(6, 15, n + 5, 50);  // window rows 1 to n + 5, columns 1 to 50
    inside.put(1, 0, " Company name          Price   Size   Total Worth ");
    for (int row = 0; row < n; ++row) {
        const PanelRow &company = panel[static_cast<std::size_t>(row)];
        const auto i = static_cast<std::size_t>(letter_named(company.name));
        long long worth = 0;
        for (const auto &held : holdings) worth += held[i] * company.price;
        inside.put(3 + row, 1,
                   format("%-20s  $%-4lld    %-3lld    $%-9lld", company.name.c_str(), company.price,
                          letters(map, static_cast<char>('A' + i)), worth));
    }
    inside.put(n + 4, 11, "Press any key to continue...");
    return expect_region(inside,
                         "the company report (sizes are the letters on the map, worths the holdings at the "
                         "panel's prices)");
}

AssertionResult Bot::Impl::expect_quit_window() const {
    BOT_TRY(expect_text(5, 33, " Really Quit? ", "the quit window's title"));
    Region inside(6, 20, 3, 40);
    inside.put(1, 1, "Are you sure you want to quit (y/n)? ");
    BOT_TRY(expect_region(inside, "the quit window"));
    return expect_cursor({7, 58}, "the quit question");
}

// ------------------------------------------------------------ playing

AssertionResult Bot::Impl::play() {
    style = chance(60) ? 0 : 1 + roll(2);
    BOT_TRY(title_screen());
    BOT_TRY(settle_running("after the names"));
    BOT_TRY(read_galaxy());
    for (turn = 1;; ++turn) {
        stats.turns = turn;
        BOT_CHECK(turn <= 1000, "the game has not ended after 1000 turns");
        BOT_TRY(settle_running("where a move prompt or the final standings were due"));
        if (t.row_text(5).find("GAME OVER - Final Standings") != std::string::npos) {
            stats.ended_without_offers = true;
            return finish();
        }
        BOT_TRY(move_turn());
        BOT_TRY(settle_running("after a move"));
        if (t.row_text(5).find("GAME OVER - Final Standings") != std::string::npos) {
            cash[static_cast<std::size_t>(current)] = -1;  // the dividends of the last move are not shown
            return finish();
        }
        if (t.row_text(GENERAL_TOP + 1).find("Arrow keys to select a company") != std::string::npos) {
            BOT_TRY(trading());
        } else {
            BOT_CHECK(at_move_prompt(t),
                      "after a move, neither the trading dialog, a move prompt nor the final "
                      "standings came up");
            BOT_CHECK(map.find_first_of("ABCDE") == std::string::npos,
                      "the trading dialog was left out although companies are on the map");
        }
    }
}

AssertionResult Bot::Impl::title_screen() {
    BOT_TRY(settle_running("before the title screen"));
    BOT_TRY(expect_text(9, 19, "Please enter the number of players [1-4]: ", "the number prompt"));
    BOT_TRY(expect_cursor({9, 61}, "the number prompt"));
    if (chance(30)) {
        const std::string before = t.screen_text();
        press(pick<std::string>({"0", "5", "9", "x", "\r", "q", "\x0c", std::string(key::Up)}),
              "a key the number prompt ignores");
        BOT_TRY(settle_running("at the number prompt"));
        BOT_TRY(expect_unchanged(before, {9, 61}, "a key the number prompt ignores"));
    }
    const int n = opt.players;
    press(std::to_string(n), "the number of players");

    std::vector<std::string> pool(std::begin(NAME_POOL), std::end(NAME_POOL));
    std::shuffle(pool.begin(), pool.end(), rng);
    for (int i = 0; i < n; ++i) {
        const std::string name = pool[static_cast<std::size_t>(i)];
        players.push_back(name);
        cash.push_back(-1);
        holdings.push_back({});
        const std::string prompt = "Player " + std::to_string(i + 1) + ", enter your name: ";
        BOT_TRY(settle_running("at the name prompt"));
        BOT_TRY(expect_text(11 + i, 22, prompt, "the name prompt"));
        BOT_TRY(expect_cursor({11 + i, 49}, "the name prompt"));
        if (chance(15)) {
            press("\r", "an empty name, asked again");
            BOT_TRY(settle_running("at the name prompt"));
            BOT_TRY(expect_text(11 + i, 22, padded(prompt, 27 + 21), "the name prompt asked again"));
            BOT_TRY(expect_cursor({11 + i, 49}, "the name prompt asked again"));
        }
        press(name + "\r", "player " + std::to_string(i + 1) + "'s name");
    }
    return AssertionSuccess();
}

// The first map is the galaxy that the game's own generator makes from the
// pinned time.
AssertionResult Bot::Impl::read_galaxy() {
    map = read_map();
    const std::vector<std::string> seeded = galaxy_for_seed(static_cast<unsigned>(clock.time));
    for (int pos = 0; pos < CELLS; ++pos) {
        const char want =
            seeded[static_cast<std::size_t>(pos / MAP_WIDTH)][static_cast<std::size_t>(pos % MAP_WIDTH)];
        BOT_CHECK(map[static_cast<std::size_t>(pos)] == want,
                  "the first map differs from the galaxy of the time seed at sector " + sector_name(pos));
    }
    return AssertionSuccess();
}

// The offers are the digits in reverse video on the map, 1 to the number the
// prompt names, each once and each on open space.
AssertionResult Bot::Impl::read_offers() {
    offer_count = 0;
    const std::string row = t.row_text(PROMPT_ROW);
    const std::size_t at = row.find(", enter your move [1-");
    BOT_CHECK(at != std::string::npos, "no move prompt");
    const int k = row[at + 21] - '0';
    BOT_CHECK(k >= 1 && k <= 5, "the move prompt offers \"" + row + "\"");
    std::array<int, 5> found{-1, -1, -1, -1, -1};
    for (int pos = 0; pos < CELLS; ++pos) {
        const Position cell_at = sector_cell(pos / MAP_WIDTH, pos % MAP_WIDTH);
        const Cell cell = t.cell(cell_at.row, cell_at.col);
        if (cell.ch.size() != 1 || cell.ch[0] < '1' || cell.ch[0] > '9') continue;
        const int digit = cell.ch[0] - '0';
        BOT_CHECK(digit <= k, "sector " + sector_name(pos) + " shows offer " + cell.ch + " of a prompt [1-" +
                                  std::to_string(k) + "]");
        BOT_CHECK(found[static_cast<std::size_t>(digit - 1)] < 0, "offer " + cell.ch + " is marked twice");
        BOT_CHECK(map[static_cast<std::size_t>(pos)] == '.',
                  "offer " + cell.ch + " stands on sector " + sector_name(pos) + ", which showed \"" +
                      std::string(1, map[static_cast<std::size_t>(pos)]) + "\"");
        found[static_cast<std::size_t>(digit - 1)] = pos;
    }
    for (int d = 0; d < k; ++d) {
        BOT_CHECK(found[static_cast<std::size_t>(d)] >= 0,
                  "offer " + std::to_string(d + 1) + " is not on the map");
        offers[static_cast<std::size_t>(d)] = found[static_cast<std::size_t>(d)];
    }
    offer_count = k;
    if (k < 5) ++stats.short_prompts;
    return AssertionSuccess();
}

// One move: the prompt checked against what the screens said before, perhaps
// a few hotkeys, an offer chosen at random and its outcome followed.
AssertionResult Bot::Impl::move_turn() {
    std::string name;
    long long shown_cash = 0;
    BOT_TRY(read_title(name, shown_cash));
    const int p = player_named(name);
    BOT_CHECK(p >= 0, "the move prompt's title names \"" + name + "\", who is not playing");
    current = p;
    const auto pi = static_cast<std::size_t>(p);
    if (cash[pi] < 0) cash[pi] = shown_cash;
    BOT_CHECK(shown_cash == cash[pi], "the move prompt shows " + name + "'s cash as $" +
                                          std::to_string(shown_cash) + "; the screens before said $" +
                                          std::to_string(cash[pi]));
    BOT_TRY(read_offers());
    General content;
    const std::string prompt = " " + name + ", enter your move [1-" + std::to_string(offer_count) + "]: ";
    content.at(2, 1, prompt);
    BOT_TRY(expect_region(content, "the move prompt"));
    BOT_TRY(expect_cursor({GENERAL_TOP + 2, 2 + static_cast<int>(prompt.size())}, "the move prompt"));
    BOT_CHECK(read_map() == map, "the map changed between the move and the next prompt");
    BOT_TRY(expect_map_styles());
    BOT_TRY(expect_panel("at the move prompt"));

    while (chance(opt.hotkey_percent)) BOT_TRY(hotkey(false));

    const int choice = choose_offer();
    const int pos = offers[static_cast<std::size_t>(choice)];
    press(std::to_string(choice + 1), "offer at sector " + sector_name(pos));
    return follow_move(pos);
}

// The offer to take. Most games take any offer; some prefer lone sectors,
// which fill the map with outposts for companies to absorb later, and some
// prefer sectors next to companies, for more growth, mergers and splits.
int Bot::Impl::choose_offer() {
    std::vector<int> preferred;
    for (int k = 0; k < offer_count; ++k) {
        const int pos = offers[static_cast<std::size_t>(k)];
        int companies_near = 0;
        bool lone = true;
        for (const Direction d : {NORTH, SOUTH, WEST, EAST}) {
            const char symbol = neighbour(map, pos, d);
            if (is_letter(symbol)) ++companies_near;
            if (symbol != '.' && symbol != 0) lone = false;
        }
        if ((style == 1 && lone) || (style == 2 && companies_near > 0)) preferred.push_back(k);
    }
    if (preferred.empty() || chance(10)) return roll(offer_count);
    return pick(preferred);
}

// A side trip from a prompt that must leave the prompt as it was: the
// standings, the report, a declined quit, a repaint or an ignored key.
// In the trading dialog the standings, the report and a declined quit put
// the cursor back after the selected company's name (`put_back`).
AssertionResult Bot::Impl::hotkey(bool trading, std::optional<Position> put_back) {
    ++stats.hotkeys;
    const std::string before = t.screen_text();
    Position cursor = t.cursor();
    const bool any_company = map.find_first_of("ABCDE") != std::string::npos;
    const std::vector<std::string> any_key = {
        "\r", " ", "x", "y", "n", "7", "\x0c", "\x1b", std::string(key::Down)};
    switch (roll(5)) {
        case 0:
            if (put_back) cursor = *put_back;
            press(pick<std::string>({"s", "S"}), "the standings");
            BOT_TRY(settle_running("in the standings"));
            BOT_TRY(expect_standings(false));
            press(pick(any_key), "closing the standings");
            break;
        case 1:
            if (put_back) cursor = *put_back;
            press(pick<std::string>({"c", "C"}), "the company report");
            BOT_TRY(settle_running("in the company report"));
            if (any_company) {
                BOT_TRY(expect_report());
                press(pick(any_key), "closing the report");
            }
            break;
        case 2: {
            if (put_back) cursor = *put_back;
            press(pick<std::string>({"q", "Q", "\x03"}), "asking to quit");
            BOT_TRY(settle_running("in the quit window"));
            BOT_TRY(expect_quit_window());
            press(pick<std::string>({"n", "N", "\r", "\x1b", "x", "\x0c", std::string(key::Down), " "}),
                  "declining to quit");
            break;
        }
        case 3: press("\x0c", "a repaint"); break;
        default:
            if (trading) {
                press(pick<std::string>({"x", "0", "1", "9", "\t", std::string(key::Left), "z"}),
                      "a key the dialog ignores");
            } else {
                press(pick<std::string>({"0", "6", "9", "x", "\t", std::string(key::Down),
                                         std::string(key::Left), "z", std::string(key::Up), "\033[5~",
                                         "\033OS"}),
                      "a key the move prompt ignores");
            }
            break;
    }
    BOT_TRY(settle_running("after a side trip"));
    return expect_unchanged(before, cursor, "the side trip " + recent.back());
}

// One announcement: the title, the content rows, the panel where the game
// has repainted it, and then a key (sometimes a repaint first, which must
// keep the announcement up).
AssertionResult Bot::Impl::announce(const std::string &title, bool blink, const General &content,
                                    bool panel_fresh, const std::string &what) {
    BOT_TRY(expect_title(title, blink));
    BOT_TRY(expect_region(content, what));
    BOT_TRY(expect_map_styles());
    if (panel_fresh) BOT_TRY(expect_panel("during " + what));
    if (chance(10)) {
        const std::string before = t.screen_text();
        const Position cursor = t.cursor();
        press("\x0c", "a repaint during " + what);
        BOT_TRY(settle_running("after a repaint"));
        BOT_TRY(expect_unchanged(before, cursor, "a repaint during " + what));
    }
    press(pick<std::string>({"\r", " ", "x", "q", "Q", "7", "y", "n", "\x1b", "\x03", "\x7f",
                             std::string(key::Down), std::string(key::Up), std::string(key::Right)}),
          "closing " + what);
    return AssertionSuccess();
}

// Follows the announcements of one move, each checked against the four
// neighbours the map showed around the chosen sector, and then the map.
AssertionResult Bot::Impl::follow_move(int pos) {
    const std::string before = map;
    std::array<char, 4> around{};  // north, south, west, east; 0 off the map
    for (const Direction d : {NORTH, SOUTH, WEST, EAST})
        around[static_cast<std::size_t>(d)] = neighbour(map, pos, d);
    std::array<char, 4> now = around;  // the neighbours as the mergers relabel them
    auto beside = [&](auto test) { return std::any_of(now.begin(), now.end(), test); };
    auto hole_beside = [&] { return beside([](char s) { return s == '@'; }); };
    auto letter_beside = [&](char letter) { return beside([&](char s) { return s == letter; }); };
    auto founding_site = [&] {
        return beside([](char s) { return s == '*' || s == '+'; }) &&
               !beside([](char s) { return is_letter(s); });
    };
    const std::string where = " at sector " + sector_name(pos);
    Events events;
    for (;;) {
        BOT_TRY(settle_running(("while following the move" + where).c_str()));
        const bool special = t.row_text(GENERAL_TOP).find(" Special Announcement! ") != std::string::npos;
        const bool exchange_table = t.row_text(GENERAL_TOP).find(" Stock Transactions ") != std::string::npos;
        if (exchange_table) return fail("a stock exchange without a merger announcement before it");
        if (!special) break;
        General content;
        const std::string any = "Press any key to continue...";
        if (general_says(2, "A new shipping company has been formed!")) {
            const std::string line = trimmed(general_row(4));
            BOT_CHECK(line.starts_with("Its name is "), "the founding names no company: \"" + line + "\"");
            const std::string name = line.substr(12);
            BOT_CHECK(founding_site() && events.founded == 0 && events.mergers.empty(),
                      "a founding" + where + ", whose neighbours were not a founding site");
            const char letter = read_map()[static_cast<std::size_t>(pos)];
            BOT_CHECK(is_letter(letter) && letters(before, letter) == 0,
                      "the founding" + where + " did not put a new company's letter there");
            const auto i = static_cast<std::size_t>(letter - 'A');
            BOT_CHECK(names[i].empty() || names[i] == name, "company " + std::string(1, letter) +
                                                                " was founded before as " + names[i] +
                                                                ", now as " + name);
            BOT_CHECK(letter_named(name) < 0 || letter_named(name) == static_cast<int>(i),
                      name + " was founded before under another letter");
            names[i] = name;
            // The founder's shares are whatever the panel shows.
            std::vector<PanelRow> panel;
            BOT_TRY(read_panel(panel));
            for (const PanelRow &row : panel) {
                if (row.name == name) holdings[static_cast<std::size_t>(current)][i] = row.holding;
            }
            BOT_CHECK(holdings[static_cast<std::size_t>(current)][i] > 0,
                      "the founder holds no shares of " + name);
            for (std::size_t q = 0; q < players.size(); ++q) {
                BOT_CHECK(q == static_cast<std::size_t>(current) || holdings[q][i] == 0,
                          "a new company's shares held by " + players[q]);
            }
            events.founded = letter;
            map = read_map();
            ++stats.foundings;
            content.centred(2, "A new shipping company has been formed!");
            content.centred(4, "Its name is " + name);
            content.centred(7, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, true, "the founding of " + name));
        } else if (general_says(3, "has just been merged into")) {
            const std::string gone = trimmed(general_row(2));
            const std::string kept = trimmed(general_row(4));
            const int a = letter_named(gone);
            const int s = letter_named(kept);
            BOT_CHECK(a >= 0 && s >= 0 && a != s,
                      "the merger of \"" + gone + "\" into \"" + kept + "\" names no two companies");
            const char absorbed = static_cast<char>('A' + a);
            const char survivor = static_cast<char>('A' + s);
            BOT_CHECK(letter_beside(absorbed) && letter_beside(survivor),
                      "the merger of " + gone + " into " + kept + where + ", which was not next to both");
            // What the absorbed company's price was before this move, if this
            // move has not changed it yet.
            const bool known = price_known[static_cast<std::size_t>(a)];
            const long long absorbed_price = price[static_cast<std::size_t>(a)];
            for (char &symbol : now) {
                if (symbol == absorbed) symbol = survivor;
            }
            price_known[static_cast<std::size_t>(s)] = false;
            price_known[static_cast<std::size_t>(a)] = false;
            events.mergers.emplace_back(absorbed, survivor);
            ++stats.mergers;
            content.centred(2, gone);
            content.centred(3, "has just been merged into");
            content.centred(4, kept);
            content.centred(7, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, false,
                             "the merger of " + gone + " into " + kept));
            BOT_TRY(exchange(absorbed, survivor, known, absorbed_price));
        } else if (general_says(3, "has split two-for-one!")) {
            const std::string line = trimmed(general_row(2));
            BOT_CHECK(line.starts_with("The stock of "), "the split names no company: \"" + line + "\"");
            const std::string name = line.substr(13);
            const int i = letter_named(name);
            BOT_CHECK(i >= 0 && letter_beside(static_cast<char>('A' + i)),
                      "the split of " + name + where + ", which was not next to it");
            for (auto &held : holdings) held[static_cast<std::size_t>(i)] *= 2;
            price_known[static_cast<std::size_t>(i)] = false;
            ++stats.splits;
            content.centred(2, "The stock of " + name);
            content.centred(3, "has split two-for-one!");
            content.centred(6, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, true, "the split of " + name));
        } else if (general_says(2, "The company named") ||
                   general_says(2, "The company that would have been named")) {
            const bool existing = general_says(2, "The company named");
            const std::string name = trimmed(general_row(3));
            BOT_CHECK(hole_beside(), "a company lost" + where + ", which has no black hole beside it");
            content.centred(2, existing ? "The company named" : "The company that would have been named");
            content.centred(3, name);
            content.centred(4, "has been sucked into a black hole!");
            if (existing) {
                const int i = letter_named(name);
                BOT_CHECK(i >= 0 && letter_beside(static_cast<char>('A' + i)),
                          "the loss of " + name + where + ", which was not next to it");
                for (auto &held : holdings) held[static_cast<std::size_t>(i)] = 0;
                events.swallowed = static_cast<char>('A' + i);
                content.centred(6, "All players' holdings lost.");
                map = read_map();
            } else {
                BOT_CHECK(founding_site() && events.founded == 0,
                          "a founding lost" + where + ", whose neighbours were not a founding site");
                events.lost_founding = true;
            }
            ++stats.black_holes;
            content.centred(8, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, existing, "the loss of " + name));
        } else if (general_says(2, "The new company site just placed")) {
            BOT_CHECK(
                hole_beside() && !beside([](char s) { return s == '*' || s == '+' || is_letter(s); }),
                "the site" + where + " was lost, though not only open space and black holes were beside it");
            events.lost_site = true;
            ++stats.black_holes;
            content.centred(2, "The new company site just placed");
            content.centred(3, "has been sucked into a black hole!");
            content.centred(8, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, false, "the loss of the site"));
        } else {
            return fail("an announcement the bot does not know");
        }
    }
    if (t.row_text(5).find("GAME OVER - Final Standings") != std::string::npos) {
        map_hidden = true;  // the final standings cover the map
        return AssertionSuccess();
    }
    map = read_map();
    return expect_map_after(pos, before, around, events);
}

// The merger's stock table: one row per player in player order; the old
// stock is what the screens said the player held of the absorbed company,
// the total is the survivor's holding before plus the new stock, and the
// bonuses share out ten times the absorbed price, each rounded down.
AssertionResult Bot::Impl::exchange(char absorbed, char survivor, bool absorbed_price_known,
                                    long long absorbed_price) {
    BOT_TRY(settle_running("where the stock exchange was due"));
    const auto a = static_cast<std::size_t>(absorbed - 'A');
    const auto s = static_cast<std::size_t>(survivor - 'A');
    const std::string what = "the stock exchange of " + names[a] + " into " + names[s];
    General table;
    table.skip_row(1);  // the absorbed company's name, covered by the header
    table.at(2, 4, "=Player===============Old Stock===New Stock===Total Holdings===Bonus=");
    std::vector<ExchangeRow> rows;
    long long shares_held = 0, bonuses = 0;
    int holders = 0;
    for (std::size_t k = 0; k < players.size(); ++k) {
        const std::string row = text_at(t, GENERAL_TOP + 3 + static_cast<int>(k), 5, 73);
        ExchangeRow r;
        BOT_CHECK(row.starts_with(" " + players[k] + " ") &&
                      std::sscanf(row.c_str() + 24, "%lld %lld %lld $%lld", &r.old_shares, &r.new_shares,
                                  &r.total, &r.bonus) == 4,
                  what + ": the row of " + players[k] + " reads \"" + row + "\"");
        BOT_CHECK(r.old_shares == holdings[k][a],
                  what + ": " + players[k] + "'s old stock is " + std::to_string(r.old_shares) +
                      "; the screens before said " + std::to_string(holdings[k][a]));
        BOT_CHECK(r.new_shares >= 0 && r.total == holdings[k][s] + r.new_shares,
                  what + ": " + players[k] + "'s total is not the " + std::to_string(holdings[k][s]) +
                      " shares held before plus the new stock");
        BOT_CHECK(r.bonus >= 0, what + ": a negative bonus");
        shares_held += r.old_shares;
        bonuses += r.bonus;
        holders += r.old_shares > 0 ? 1 : 0;
        table.at(
            3 + static_cast<int>(k), 4,
            " " + padded(players[k], 20) + "   " +
                format("%-5lld       %-5lld     %5lld            ", r.old_shares, r.new_shares, r.total) +
                format("$%-5lld", r.bonus));
        rows.push_back(r);
    }
    if (shares_held == 0) {
        BOT_CHECK(bonuses == 0, what + ": bonuses paid though nobody held the absorbed stock");
    } else if (absorbed_price_known) {
        const long long pool = 10 * absorbed_price;
        BOT_CHECK(bonuses <= pool && bonuses > pool - holders,
                  what + ": the bonuses add up to $" + std::to_string(bonuses) +
                      ", not ten times the absorbed price $" + std::to_string(absorbed_price) +
                      " within rounding");
    }
    table.centred(8, "Press any key to continue...");
    BOT_TRY(announce(" Stock Transactions ", false, table, false, what));
    for (std::size_t k = 0; k < players.size(); ++k) {
        holdings[k][s] = rows[k].total;
        holdings[k][a] = 0;
        if (cash[k] >= 0) cash[k] += rows[k].bonus;
    }
    return AssertionSuccess();
}

// The map after a move differs from the map before only where the move's
// announcements and the four neighbours say: the absorbed companies'
// letters turned into the survivors', a lost company's letters gone, the
// chosen sector and the outposts beside it taken by the company that grew
// or was founded there, an outpost where only open space was beside it.
AssertionResult Bot::Impl::expect_map_after(int pos, const std::string &before,
                                            const std::array<char, 4> &around, const Events &events) {
    std::string want = before;
    for (const auto &[absorbed, survivor] : events.mergers)
        std::replace(want.begin(), want.end(), absorbed, survivor);
    const char placed = map[static_cast<std::size_t>(pos)];
    const std::string where = "sector " + sector_name(pos);
    auto take_outposts = [&](char symbol) {
        for (const Direction d : {NORTH, SOUTH, WEST, EAST}) {
            const int next = neighbour_pos(pos, d);
            if (next >= 0 && before[static_cast<std::size_t>(next)] == '+')
                want[static_cast<std::size_t>(next)] = symbol;
        }
    };
    bool any_letter = false;
    for (const char s : around) any_letter = any_letter || is_letter(s);
    if (events.lost_site) {
        BOT_CHECK(placed == '.', "the lost site " + where + " shows \"" + std::string(1, placed) + "\"");
    } else if (events.swallowed != 0 || events.lost_founding) {
        BOT_CHECK(placed == '.',
                  where + " was lost to a black hole but shows \"" + std::string(1, placed) + "\"");
        take_outposts('.');
        if (events.swallowed != 0) std::replace(want.begin(), want.end(), events.swallowed, '.');
    } else if (placed == '+') {
        BOT_CHECK(!any_letter && events.mergers.empty(), where + " became an outpost beside a company");
    } else {
        BOT_CHECK(is_letter(placed), where + " shows \"" + std::string(1, placed) + "\" after the move");
        if (events.founded == 0) {
            bool beside = false;
            for (const Direction d : {NORTH, SOUTH, WEST, EAST}) {
                const int next = neighbour_pos(pos, d);
                beside = beside || (next >= 0 && want[static_cast<std::size_t>(next)] == placed);
            }
            BOT_CHECK(beside,
                      where + " took the letter " + std::string(1, placed) + " of no company beside it");
        }
        take_outposts(placed);
    }
    want[static_cast<std::size_t>(pos)] = placed;
    for (int cell = 0; cell < CELLS; ++cell) {
        const auto c = static_cast<std::size_t>(cell);
        BOT_CHECK(map[c] == want[c], "after the move at " + where + ", sector " + sector_name(cell) +
                                         " shows \"" + std::string(1, map[c]) +
                                         "\" where the announcements and the neighbours "
                                         "leave \"" +
                                         std::string(1, want[c]) + "\"");
    }
    for (int i = 0; i < COMPANIES; ++i) {
        if (letters(map, static_cast<char>('A' + i)) > 0) continue;
        for (std::size_t k = 0; k < players.size(); ++k) {
            BOT_CHECK(holdings[k][static_cast<std::size_t>(i)] == 0,
                      players[k] + " still holds shares of a company that left the map");
        }
    }
    return AssertionSuccess();
}

// ------------------------------------------------------------ trading

AssertionResult Bot::Impl::expect_trading(const std::vector<PanelRow> &entries, int selected, bool moved,
                                          Position cursor) const {
    General content;
    content.centred(1, "Arrow keys to select a company, return to trade, escape when done:");
    for (std::size_t j = 0; j < entries.size(); ++j) {
        content.at(LIST_ROW + static_cast<int>(j), NAME_COLUMN, entries[j].name);
    }
    BOT_TRY(expect_region(content, "the trading dialog"));
    for (std::size_t j = 0; j < entries.size(); ++j) {
        const Cell cell = t.cell(GENERAL_TOP + LIST_ROW + static_cast<int>(j), 1 + NAME_COLUMN);
        const int letter = letter_named(entries[j].name);
        Style want;
        if (static_cast<int>(j) == selected) {
            if (opt.monochrome || !moved) {
                want.reverse = true;
            } else {
                want.fg = BLACK;
                want.bg = WHITE;
            }
        } else if (!opt.monochrome) {
            constexpr int company_colours[COMPANIES] = {BLUE, GREEN, YELLOW, RED, MAGENTA};
            want.fg = company_colours[letter];
            want.bg = BLACK;
            want.bold = letter == 0;
        }
        std::ostringstream out;
        out << "the trading entry " << entries[j].name
            << (static_cast<int>(j) == selected ? " (selected)" : "") << " is drawn "
            << static_cast<const Style &>(cell) << ", expected " << want;
        BOT_CHECK(drawn_as(cell, want), out.str());
    }
    return expect_cursor(cursor, "the trading dialog");
}

AssertionResult Bot::Impl::trading() {
    std::string name;
    long long shown_cash = 0;
    BOT_TRY(read_title(name, shown_cash));
    BOT_CHECK(player_named(name) == current, "the trading dialog is " + name + "'s, after " +
                                                 players[static_cast<std::size_t>(current)] + "'s move");
    const auto pi = static_cast<std::size_t>(current);
    // The dividends were paid since the move prompt: the cash can only have grown.
    BOT_CHECK(shown_cash >= cash[pi], "the cash fell from $" + std::to_string(cash[pi]) + " to $" +
                                          std::to_string(shown_cash) +
                                          " between the move and the trading dialog");
    cash[pi] = shown_cash;
    BOT_TRY(expect_map_styles());
    BOT_TRY(expect_panel("in the trading dialog"));
    std::vector<PanelRow> entries;
    BOT_TRY(read_panel(entries));
    const int count = static_cast<int>(entries.size());
    BOT_CHECK(count > 0, "a trading dialog without companies");
    auto after_name = [&](int entry) {
        return Position{
            GENERAL_TOP + LIST_ROW + entry,
            1 + NAME_COLUMN + static_cast<int>(entries[static_cast<std::size_t>(entry)].name.size())};
    };
    int selected = 0;
    bool moved = false;
    BOT_TRY(expect_trading(entries, selected, moved, after_name(count - 1)));

    while (chance(62)) {
        const int action = roll(100);
        if (action < opt.hotkey_percent) {
            BOT_TRY(hotkey(true, after_name(selected)));
        } else if (action < 35) {
            const bool down = chance(50);
            press(down ? pick<std::string>({std::string(key::Down), "5", "j", "J"})
                       : pick<std::string>({std::string(key::Up), "8", "k", "K"}),
                  down ? "the next company" : "the previous company");
            BOT_TRY(settle_running("in the trading dialog"));
            const int next = (selected + (down ? 1 : -1) + count) % count;
            const Position cursor = next == selected ? t.cursor() : after_name(next);
            if (next != selected) moved = true;
            selected = next;
            BOT_TRY(expect_trading(entries, selected, moved, cursor));
        } else {
            BOT_TRY(trade(entries, selected, moved));
        }
    }
    press("\x1b", "done trading");
    return AssertionSuccess();
}

// One amount at the prompt: valid ones at random, the shortcuts, empty and
// zero amounts, and now and then one just out of range. Afterwards the
// title's cash and the panel's holding have moved by exactly amount x price.
AssertionResult Bot::Impl::trade(const std::vector<PanelRow> &entries, int selected, bool moved) {
    ++stats.trades;
    const PanelRow &entry = entries[static_cast<std::size_t>(selected)];
    const auto company = static_cast<std::size_t>(letter_named(entry.name));
    const auto pi = static_cast<std::size_t>(current);
    const long long cash_before = cash[pi];
    const long long held_before = holdings[pi][company];
    const long long price_now = price[company];
    const int row = GENERAL_TOP + LIST_ROW + selected;

    press(pick<std::string>({"\r", "\n", std::string(key::Right), std::string(CTRL_F)}),
          "trading in " + entry.name);
    BOT_TRY(settle_running("at the amount prompt"));
    const std::string shown = trimmed(text_at(t, row, 1 + PROMPT_COLUMN, 37));
    long long min = 0, max = 0;
    BOT_CHECK(std::sscanf(shown.c_str(), "Amount (%lld to %lld):", &min, &max) == 2,
              "the amount prompt reads \"" + shown + "\"");
    BOT_CHECK(min == -held_before, "the amount prompt's least amount is " + std::to_string(min) + " with " +
                                       std::to_string(held_before) + " shares held");
    BOT_CHECK(max >= 0 && max * price_now <= cash_before && (max + 1) * price_now > cash_before,
              "the amount prompt's most is " + std::to_string(max) + " shares at $" +
                  std::to_string(price_now) + " with $" + std::to_string(cash_before) + " in cash");
    const std::string prompt = "Amount (" + std::to_string(min) + " to " + std::to_string(max) + "): ";
    BOT_TRY(expect_text(row, 1 + PROMPT_COLUMN, prompt, "the amount prompt"));
    const int echo_column = 1 + PROMPT_COLUMN + static_cast<int>(prompt.size());
    BOT_TRY(expect_cursor({row, echo_column}, "the amount prompt"));

    std::string keys;  // what is typed before the key that ends the input
    std::string echo;  // what the editor echoes of it
    std::string end = "\r";
    long long amount = 0;
    bool valid = true;
    const int kind = roll(100);
    if (kind < opt.invalid_amount_percent) {
        valid = false;
        amount = chance(50) || min == 0 ? max + 1 : min - 1;
        keys = echo = std::to_string(amount);
    } else if (kind < 14) {
        keys = echo = pick<std::string>({"m", "M"});
        end = pick<std::string>({"\r", "x", "5", "\x0c"});  // discarded, whatever it is
        amount = max;
    } else if (kind < 22) {
        keys = echo = pick<std::string>({"n", "N"});
        end = pick<std::string>({"\r", "x", "5", "\x0c"});
        amount = min;
    } else if (kind < 27) {
        keys = echo = "";
    } else if (kind < 31) {
        keys = echo = "0";
    } else if (kind < 35) {
        keys = echo = "-";
    } else {
        amount = chance(70) ? std::uniform_int_distribution<long long>(0, max)(rng)
                            : std::uniform_int_distribution<long long>(min, 0)(rng);
        keys = echo = std::to_string(amount);
        if (chance(15)) keys = "7\x7f" + keys;  // a digit typed and erased
        if (chance(15) && keys.size() > 1) {
            keys.insert(1, pick<std::string>({"x", "-", "m", " "}));  // refused after the first place
        }
    }
    // Erasing an empty amount does nothing; a repaint keeps what was typed
    // (but after a shortcut letter the next key would end the input).
    if (chance(8)) keys.insert(0, "\x7f");
    if (chance(8)) {
        const bool shortcut = !keys.empty() && std::string("mMnN").find(keys.back()) != std::string::npos;
        keys.insert(shortcut ? 0 : static_cast<std::size_t>(roll(static_cast<int>(keys.size()) + 1)), "\x0c");
    }
    if (chance(30)) {
        press(keys, "an amount");
        BOT_TRY(settle_running("while typing an amount"));
        BOT_TRY(expect_text(row, echo_column, padded(echo, 9), "the typed amount"));
        press(end, "ending the amount");
    } else {
        press(keys + end, "an amount");
    }
    if (!valid) {
        ++stats.invalid_amounts;
        amount = 0;
        auto message = [&] { return text_at(t, row, 1 + PROMPT_COLUMN, 15) == "Invalid amount!"; };
        BOT_TRY(t.wait_for(message, Millis{5000}, "\"Invalid amount!\""));
        BOT_TRY(t.wait_for([&] { return !message(); }, Millis{5000}, "the end of \"Invalid amount!\""));
    }
    BOT_TRY(settle_running("after an amount"));
    std::string name;
    long long cash_after = 0;
    BOT_TRY(read_title(name, cash_after));
    BOT_CHECK(cash_after == cash_before - amount * price_now,
              "after trading " + std::to_string(amount) + " shares at $" + std::to_string(price_now) +
                  " the title shows $" + std::to_string(cash_after) + "; it showed $" +
                  std::to_string(cash_before));
    cash[pi] = cash_after;
    holdings[pi][company] = held_before + amount;
    BOT_TRY(expect_panel("after a trade of " + std::to_string(amount) + " in " + entry.name));
    BOT_TRY(expect_text(row, 1 + PROMPT_COLUMN, std::string(37, ' '), "the cleared amount prompt"));
    return expect_trading(entries, selected, moved,
                          {row, 1 + NAME_COLUMN + static_cast<int>(entry.name.size())});
}

// ------------------------------------------------------------ the end

AssertionResult Bot::Impl::finish() {
    BOT_TRY(settle_running("where the final standings were due"));
    BOT_TRY(expect_standings(true));
    const std::string closing = pick<std::string>({"\r", " ", "x", "q", "\x0c", "\x1b", std::string(key::Down)});
    if (closing == "\x0c") {
        // Ctrl-L repaints the final standings, which go on waiting for a key.
        const std::string before = t.screen_text();
        const Position cursor = t.cursor();
        press(closing, "a repaint of the final standings");
        BOT_TRY(settle_running("after a repaint of the final standings"));
        BOT_TRY(expect_unchanged(before, cursor, "a repaint of the final standings"));
        press(" ", "closing the final standings");
    } else {
        press(closing, "closing the final standings");
    }
    const auto status = t.wait_exit(Millis{10000});
    BOT_CHECK(status.has_value(), "the game did not exit after the final standings");
    std::ostringstream out;
    out << "the game ended with " << *status << ", expected exit status 0";
    BOT_CHECK(*status == ExitStatus::exited(0), out.str());
    BOT_CHECK(t.stderr_text().empty(), "the game wrote to standard error: " + t.stderr_text());
    const AssertionResult restored = t.modes_restored();
    BOT_CHECK(restored, restored.message());
    // The banner is the last thing written, after the terminal was restored.
    const std::string &output = t.output_bytes();
    const std::size_t banner = output.rfind("Vegatrade ");
    BOT_CHECK(banner != std::string::npos, "no version banner after the game");
    const std::string tail = output.substr(banner);
    BOT_CHECK(tail.find('\033') == std::string::npos &&
                  tail.find("v1.2.2 29-Mar-1997") != std::string::npos &&
                  (tail.ends_with("29-Mar-1997\n") || tail.ends_with("29-Mar-1997\r\n")),
              "the banner is not the last line written: \"" + key_name(tail) + "\"");
    return AssertionSuccess();
}

// ------------------------------------------------------------ Bot

Bot::Bot(BotOptions options) : impl_(std::make_unique<Impl>(options)) {}
Bot::~Bot() = default;

::testing::AssertionResult Bot::play() { return impl_->play(); }

const BotStats &Bot::stats() const { return impl_->stats; }

const std::string &Bot::output() const { return impl_->t.output_bytes(); }

const std::vector<BotPress> &Bot::presses() const { return impl_->presses; }

std::optional<ExitStatus> Bot::exit_status() {
    if (impl_->t.running()) return std::nullopt;
    return impl_->t.wait_exit(Millis{0});
}

std::string Bot::summary() const {
    const BotStats &s = impl_->stats;
    std::ostringstream out;
    out << "seed " << impl_->opt.seed << ", " << impl_->opt.players << " player(s), "
        << (impl_->opt.monochrome ? "monochrome" : "colour") << ": " << s.turns << " turns, " << s.foundings
        << " foundings, " << s.mergers << " mergers, " << s.splits << " splits, " << s.black_holes
        << " black holes, " << s.trades << " trades (" << s.invalid_amounts << " invalid), " << s.hotkeys
        << " hotkeys, " << s.short_prompts << " prompts with fewer than 5 offers"
        << (s.ended_without_offers ? ", ended without offers" : "");
    return out.str();
}

}  // namespace e2e
