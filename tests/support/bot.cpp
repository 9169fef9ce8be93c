// The bot that plays whole games through the terminal; see bot.h.
//
// It keeps its own model of the game (the galaxy it read off the first
// screen, each company's price and size, each player's cash and holdings)
// and moves the model on by the rules with every event it sees, so it knows
// at every screen what the screen must show, down to the last cell of the
// dialogs. The game's random choices after the galaxy (the first player,
// the offers and the survivor of a tied merger) come from rand() seeded
// with the process id, which the bot pins; it follows them with its own
// copy of the C library's generator, so it knows the offers too.
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

constexpr int COMPANIES = 5;
constexpr int MAP_WIDTH = 12;
constexpr int MAP_HEIGHT = 10;
constexpr int CELLS = MAP_WIDTH * MAP_HEIGHT;
constexpr long long STARTING_CASH = 6000;
constexpr int FOUNDER_SHARES = 5;
constexpr int SPLIT_THRESHOLD = 3000;

constexpr const char *COMPANY_NAMES[COMPANIES] = {
    "Altair Starways", "Beetlejuice, Ltd.", "Capella Freight Co.", "Denebola Shippers", "Eridani Expediters",
};

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

// The C library's rand(), with a state of its own: srand(seed) followed by
// rand() calls gives exactly this stream, without touching the test's.
class GameRand {
  public:
    explicit GameRand(unsigned seed) { initstate_r(seed, state_, sizeof state_, &data_); }
    GameRand(const GameRand &) = delete;
    GameRand &operator=(const GameRand &) = delete;
    int next() {
        std::int32_t value = 0;
        random_r(&data_, &value);
        return value;
    }

  private:
    char state_[128] = {};
    random_data data_{};
};

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

struct Company {
    bool active = false;
    int price = 0;
    int size = 0;
};

struct Player {
    std::string name;
    long long cash = STARTING_CASH;
    std::array<int, COMPANIES> holdings{};
};

enum Direction { NORTH, SOUTH, WEST, EAST };

int neighbor_pos(int pos, Direction direction) {
    switch (direction) {
        case NORTH: return pos - MAP_WIDTH >= 0 ? pos - MAP_WIDTH : -1;
        case SOUTH: return pos + MAP_WIDTH < CELLS ? pos + MAP_WIDTH : -1;
        case WEST: return pos % MAP_WIDTH != 0 ? pos - 1 : -1;
        case EAST: return pos % MAP_WIDTH != MAP_WIDTH - 1 ? pos + 1 : -1;
    }
    return -1;
}

bool is_letter(int symbol) { return symbol >= 'A' && symbol <= 'Z'; }

// The float steps of the rules: an int taken to single precision, then to
// double, the double result truncated toward zero.
double float_double(long long value) { return static_cast<double>(static_cast<float>(value)); }

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
    GameRand draws;
    BotStats stats;

    // The model of the game.
    std::string galaxy;
    std::array<Company, COMPANIES> companies{};
    std::vector<Player> players;
    int current = 0;

    // The move prompt's offers, as the bot expects them.
    std::array<int, 5> offers{};
    int offer_count = 0;

    int turn = 0;
    int style = 0;                   // 0 any offer, 1 outposts first, 2 companies first
    std::deque<std::string> recent;  // the last actions, for failure messages

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

    // --- screen checks
    AssertionResult expect_text(int row, int col, std::string_view expected, const std::string &what) const;
    AssertionResult expect_region(const Region &region, const std::string &what) const;
    AssertionResult expect_cursor(Position expected, const std::string &what) const;
    AssertionResult expect_title(const std::string &title, bool blink) const;
    AssertionResult expect_panel(const std::string &when) const;
    AssertionResult expect_map(bool with_offers) const;
    AssertionResult expect_unchanged(const std::string &before, Position cursor,
                                     const std::string &what) const;
    AssertionResult expect_standings(bool final) const;
    AssertionResult expect_report() const;
    AssertionResult expect_quit_window() const;

    // --- the model
    std::string cash_title() const;
    bool any_active() const;
    bool all_active() const;
    int neighbor_symbol(int pos, Direction direction) const;
    bool founding_site(int pos) const;
    int count_candidates() const;
    void draw_offers(int candidates);
    long long stock_value(int player) const;
    int total_size() const;
    bool game_over() const;
    void pay_dividends();
    AssertionResult model_consistent() const;

    // --- playing
    AssertionResult play();
    AssertionResult title_screen();
    AssertionResult read_galaxy();
    AssertionResult move_turn();
    int choose_offer();
    AssertionResult hotkey(bool trading, std::optional<Position> put_back = std::nullopt);
    AssertionResult announce(const std::string &title, bool blink, const General &content, bool panel_fresh,
                             const std::string &what);
    AssertionResult resolve(int pos);
    AssertionResult merge(int *first, int *second, int *third, int *fourth);
    AssertionResult split(int company);
    AssertionResult black_hole(int company, int detail);
    AssertionResult found(int pos, const std::array<int, 4> &symbols);
    AssertionResult grow(int pos, const std::array<int, 4> &symbols);
    void neighbor_effects(int company, int pos, const std::array<int, 4> &symbols);
    AssertionResult trading();
    AssertionResult expect_trading(const std::vector<int> &entries, int selected, bool moved,
                                   Position cursor) const;
    AssertionResult trade(const std::vector<int> &entries, int selected, bool moved);
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
      t(terminal_options(options, clock)),
      draws(static_cast<unsigned>(clock.pid)) {}

// ------------------------------------------------------------ plumbing

AssertionResult Bot::Impl::fail(const std::string &what) const {
    AssertionResult result = ::testing::AssertionFailure();
    result << "bot seed " << opt.seed << " (" << opt.players << " player" << (opt.players == 1 ? "" : "s")
           << ", " << (opt.monochrome ? "monochrome" : "colour") << "; game clock " << clock.time << ", pid "
           << clock.pid << "), turn " << turn << ":\n  " << what << "\nlast actions:\n";
    for (const std::string &action : recent) result << "  " << action << '\n';
    result << "the bot's account:\n";
    for (std::size_t p = 0; p < players.size(); ++p) {
        result << "  " << players[p].name << ": cash " << players[p].cash << ", holdings";
        for (const int h : players[p].holdings) result << ' ' << h;
        result << '\n';
    }
    result << "  companies (active price size):";
    for (const Company &c : companies) result << "  " << c.active << ' ' << c.price << ' ' << c.size;
    result << '\n' << t.dump();
    return result;
}

void Bot::Impl::note(const std::string &action) {
    recent.push_back("turn " + std::to_string(turn) + ": " + action);
    if (recent.size() > 16) recent.pop_front();
}

void Bot::Impl::press(std::string_view keys, const std::string &why) {
    note("typed " + key_name(keys) + " (" + why + ")");
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

std::string Bot::Impl::cash_title() const {
    const Player &p = players[static_cast<std::size_t>(current)];
    return " " + p.name + " (Cash: $" + std::to_string(p.cash) + ") ";
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

// The company panel: header, then each active company with its price and
// the current player's holdings, two rows apart.
AssertionResult Bot::Impl::expect_panel(const std::string &when) const {
    Region panel(MAP_TOP, PANEL_LEFT, MAP_HEIGHT + 2, PANEL_WIDTH);
    panel.put(0, 0, format(" %-19s    %5s  %8s ", "Company", "Price", "Holdings"));
    int row = 2;
    const Player &p = players[static_cast<std::size_t>(current)];
    for (int i = 0; i < COMPANIES; ++i) {
        const Company &c = companies[static_cast<std::size_t>(i)];
        if (!c.active) continue;
        panel.put(row, 0,
                  format(" %-19s    $%-4d   %-5d", COMPANY_NAMES[i], c.price,
                         p.holdings[static_cast<std::size_t>(i)]));
        row += 2;
    }
    if (row == 2) panel.put(2, 0, " no active companies");
    return expect_region(panel, "the company panel " + when);
}

// Every sector of the map, in its symbol and style; with the offers, the
// offered sectors show their digits in reverse video.
AssertionResult Bot::Impl::expect_map(bool with_offers) const {
    for (int pos = 0; pos < CELLS; ++pos) {
        const Position at = sector_cell(pos / MAP_WIDTH, pos % MAP_WIDTH);
        const Cell cell = t.cell(at.row, at.col);
        const char symbol = galaxy[static_cast<std::size_t>(pos)];
        std::string where =
            "sector " + std::to_string(pos / MAP_WIDTH) + "," + std::to_string(pos % MAP_WIDTH);
        int offer = -1;
        for (int k = 0; with_offers && k < offer_count; ++k) {
            if (offers[static_cast<std::size_t>(k)] == pos) offer = k;
        }
        if (offer >= 0) {
            const std::string digit(1, static_cast<char>('1' + offer));
            BOT_CHECK(
                cell.ch == digit && cell.reverse,
                where + " should be offer " + digit + " in reverse video; it shows \"" + cell.ch + "\"");
            continue;
        }
        BOT_CHECK(cell.ch == std::string(1, symbol),
                  where + " should show \"" + std::string(1, symbol) + "\"; it shows \"" + cell.ch + "\"");
        // Open space that was offered earlier keeps the normal attribute.
        Style want;
        if (opt.monochrome) {
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
        out << where << " \"" << symbol << "\" is drawn " << got << ", expected " << want;
        BOT_CHECK(drawn_as(got, want), out.str());
    }
    return AssertionSuccess();
}

AssertionResult Bot::Impl::expect_unchanged(const std::string &before, Position cursor,
                                            const std::string &what) const {
    if (t.screen_text() != before) {
        return fail(what + " should leave the screen as it was, which was:\n" + before);
    }
    return expect_cursor(cursor, what);
}

// The standings window: players richest first (ties in player order),
// stock value, cash and net worth, and the sectors still to be taken.
AssertionResult Bot::Impl::expect_standings(bool final) const {
    const int n = static_cast<int>(players.size());
    const std::string title = final ? "  GAME OVER - Final Standings  " : "  Current Standings  ";
    BOT_TRY(expect_text(5, 10 + (60 - static_cast<int>(title.size())) / 2, title, "the standings title"));
    Region inside(6, 11, n + 7, 58);  // window rows 1 to n + 7, columns 1 to 58
    inside.put(1, 1, "=Player================Stock Value===Cash=====Net Worth=");
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int p = 0; p < n; ++p) order[static_cast<std::size_t>(p)] = p;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return players[static_cast<std::size_t>(a)].cash + stock_value(a) >
               players[static_cast<std::size_t>(b)].cash + stock_value(b);
    });
    for (int place = 0; place < n; ++place) {
        const int p = order[static_cast<std::size_t>(place)];
        const Player &player = players[static_cast<std::size_t>(p)];
        const long long value = stock_value(p);
        inside.put(3 + place, 2,
                   padded(player.name, 19) + "   " + format("$%-8lld   $%-8lld  ", value, player.cash) +
                       format("$%-8lld", player.cash + value));
    }
    const std::string remaining = "Available company sectors remaining: " + std::to_string(65 - total_size());
    inside.put(n + 4, (60 - static_cast<int>(remaining.size())) / 2 - 1, remaining);
    inside.put(n + 6, 15, "Press any key to continue...");
    return expect_region(inside, final ? "the final standings" : "the current standings");
}

// The detailed company report: price, size and total worth of every active
// company.
AssertionResult Bot::Impl::expect_report() const {
    std::vector<int> active;
    for (int i = 0; i < COMPANIES; ++i) {
        if (companies[static_cast<std::size_t>(i)].active) active.push_back(i);
    }
    const int n = static_cast<int>(active.size());
    BOT_TRY(expect_text(5, 25, " Detailed Company Information ", "the report's title"));
    Region inside(6, 15, n + 5, 50);  // window rows 1 to n + 5, columns 1 to 50
    inside.put(1, 0, " Company name          Price   Size   Total Worth ");
    for (int row = 0; row < n; ++row) {
        const int i = active[static_cast<std::size_t>(row)];
        const Company &c = companies[static_cast<std::size_t>(i)];
        long long worth = 0;
        for (const Player &p : players)
            worth += static_cast<long long>(p.holdings[static_cast<std::size_t>(i)]) * c.price;
        inside.put(3 + row, 1,
                   format("%-20s  $%-4d    %-3d    $%-9lld", COMPANY_NAMES[i], c.price, c.size, worth));
    }
    inside.put(n + 4, 11, "Press any key to continue...");
    return expect_region(inside, "the company report");
}

AssertionResult Bot::Impl::expect_quit_window() const {
    BOT_TRY(expect_text(5, 33, " Really Quit? ", "the quit window's title"));
    Region inside(6, 20, 3, 40);
    inside.put(1, 1, "Are you sure you want to quit (y/n)? ");
    BOT_TRY(expect_region(inside, "the quit window"));
    return expect_cursor({7, 58}, "the quit question");
}

// ------------------------------------------------------------ the model

bool Bot::Impl::any_active() const {
    return std::any_of(companies.begin(), companies.end(), [](const Company &c) { return c.active; });
}

bool Bot::Impl::all_active() const {
    return std::all_of(companies.begin(), companies.end(), [](const Company &c) { return c.active; });
}

int Bot::Impl::neighbor_symbol(int pos, Direction direction) const {
    const int neighbor = neighbor_pos(pos, direction);
    return neighbor < 0 ? '.' : galaxy[static_cast<std::size_t>(neighbor)];
}

bool Bot::Impl::founding_site(int pos) const {
    bool star_or_outpost = false;
    for (const Direction d : {NORTH, SOUTH, WEST, EAST}) {
        const int symbol = neighbor_symbol(pos, d);
        if (is_letter(symbol)) return false;
        if (symbol == '*' || symbol == '+') star_or_outpost = true;
    }
    return star_or_outpost;
}

// Sectors that may be offered: open space, and once all five companies are
// active, no founding site.
int Bot::Impl::count_candidates() const {
    int count = 0;
    for (int pos = 0; pos < CELLS; ++pos) {
        if (galaxy[static_cast<std::size_t>(pos)] == '.' && !(all_active() && founding_site(pos))) ++count;
    }
    return count;
}

// The offers the game draws: five candidates, one rand() % 120 per try;
// with fewer than five candidates, all of them in map order.
void Bot::Impl::draw_offers(int candidates) {
    offer_count = 0;
    const bool every = all_active();
    auto qualifies = [&](int pos) {
        return galaxy[static_cast<std::size_t>(pos)] == '.' && !(every && founding_site(pos));
    };
    if (candidates >= 5) {
        while (offer_count < 5) {
            const int pos = draws.next() % CELLS;
            const bool taken =
                std::find(offers.begin(), offers.begin() + offer_count, pos) != offers.begin() + offer_count;
            if (!taken && qualifies(pos)) offers[static_cast<std::size_t>(offer_count++)] = pos;
        }
    } else {
        for (int pos = 0; pos < CELLS; ++pos) {
            if (qualifies(pos)) offers[static_cast<std::size_t>(offer_count++)] = pos;
        }
    }
}

long long Bot::Impl::stock_value(int player) const {
    long long value = 0;
    for (int i = 0; i < COMPANIES; ++i) {
        const Company &c = companies[static_cast<std::size_t>(i)];
        if (c.active)
            value += static_cast<long long>(
                         players[static_cast<std::size_t>(player)].holdings[static_cast<std::size_t>(i)]) *
                     c.price;
    }
    return value;
}

int Bot::Impl::total_size() const {
    int total = 0;
    for (const Company &c : companies) total += c.size;
    return total;
}

// Over once the companies hold more than 53% of the map while at least four
// sectors are open.
bool Bot::Impl::game_over() const {
    const auto open = std::count(galaxy.begin(), galaxy.end(), '.');
    return total_size() * 100 / CELLS >= 54 && open >= 4;
}

// 5% of the price on every share the mover holds, through single precision.
void Bot::Impl::pay_dividends() {
    Player &p = players[static_cast<std::size_t>(current)];
    for (int i = 0; i < COMPANIES; ++i) {
        const Company &c = companies[static_cast<std::size_t>(i)];
        if (!c.active) continue;
        const double per_holding = float_double(p.holdings[static_cast<std::size_t>(i)]) * 0.05;
        p.cash += static_cast<long long>(float_double(c.price) * per_holding);
    }
}

// The bot's own bookkeeping agrees with itself: sizes are the letters on
// the map, and nobody holds shares of a company that is not active.
AssertionResult Bot::Impl::model_consistent() const {
    for (int i = 0; i < COMPANIES; ++i) {
        const Company &c = companies[static_cast<std::size_t>(i)];
        const auto letters = std::count(galaxy.begin(), galaxy.end(), static_cast<char>('A' + i));
        BOT_CHECK(letters == c.size && c.active == (c.size != 0),
                  "the bot lost count of company " + std::string(1, static_cast<char>('A' + i)));
        for (const Player &p : players) {
            BOT_CHECK(c.active || p.holdings[static_cast<std::size_t>(i)] == 0,
                      "the bot's holdings of an inactive company");
        }
    }
    return AssertionSuccess();
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
        BOT_TRY(model_consistent());
        const int candidates = count_candidates();
        if (candidates == 0) {
            stats.ended_without_offers = true;
            return finish();
        }
        draw_offers(candidates);
        if (offer_count < 5) ++stats.short_prompts;
        BOT_TRY(move_turn());
        pay_dividends();
        if (game_over()) return finish();
        if (any_active()) BOT_TRY(trading());
        current = (current + 1) % static_cast<int>(players.size());
        BOT_TRY(settle());
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
    current = draws.next() % n;

    std::vector<std::string> pool(std::begin(NAME_POOL), std::end(NAME_POOL));
    std::shuffle(pool.begin(), pool.end(), rng);
    for (int i = 0; i < n; ++i) {
        Player p;
        p.name = pool[static_cast<std::size_t>(i)];
        players.push_back(p);
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
        press(p.name + "\r", "player " + std::to_string(i + 1) + "'s name");
    }
    return AssertionSuccess();
}

// The galaxy is whatever the first map shows, the offers being open space;
// with the clock pinned it is also the galaxy the time seed gives.
AssertionResult Bot::Impl::read_galaxy() {
    galaxy.assign(static_cast<std::size_t>(CELLS), '.');
    const std::vector<std::string> seeded = galaxy_for_seed(static_cast<unsigned>(clock.time));
    for (int pos = 0; pos < CELLS; ++pos) {
        const Position at = sector_cell(pos / MAP_WIDTH, pos % MAP_WIDTH);
        const std::string shown = t.cell(at.row, at.col).ch;
        const char first = shown.size() == 1 ? shown.front() : '?';
        const char symbol = first >= '1' && first <= '5' ? '.' : first;
        galaxy[static_cast<std::size_t>(pos)] = symbol;
        const char want =
            seeded[static_cast<std::size_t>(pos / MAP_WIDTH)][static_cast<std::size_t>(pos % MAP_WIDTH)];
        BOT_CHECK(symbol == want, "the first map differs from the galaxy of the time seed at sector " +
                                      std::to_string(pos / MAP_WIDTH) + "," +
                                      std::to_string(pos % MAP_WIDTH));
    }
    return AssertionSuccess();
}

// One move: the prompt checked, perhaps a few hotkeys, an offer chosen at
// random and its outcome followed announcement by announcement.
AssertionResult Bot::Impl::move_turn() {
    BOT_TRY(settle_running("where a move prompt was due"));
    const Player &p = players[static_cast<std::size_t>(current)];
    BOT_TRY(expect_title(cash_title(), false));
    General content;
    const std::string prompt = " " + p.name + ", enter your move [1-" + std::to_string(offer_count) + "]: ";
    content.at(2, 1, prompt);
    BOT_TRY(expect_region(content, "the move prompt"));
    const Position cursor{GENERAL_TOP + 2, 2 + static_cast<int>(prompt.size())};
    BOT_TRY(expect_cursor(cursor, "the move prompt"));
    BOT_TRY(expect_panel("at the move prompt"));
    BOT_TRY(expect_map(true));

    while (chance(opt.hotkey_percent)) BOT_TRY(hotkey(false));

    const int choice = choose_offer();
    const int pos = offers[static_cast<std::size_t>(choice)];
    press(std::to_string(choice + 1),
          "offer at sector " + std::to_string(pos / MAP_WIDTH) + "," + std::to_string(pos % MAP_WIDTH));
    return resolve(pos);
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
            const int symbol = neighbor_symbol(pos, d);
            if (is_letter(symbol)) ++companies_near;
            if (symbol != '.') lone = false;
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
            if (any_active()) {
                BOT_TRY(expect_report());
                press(pick(any_key), "closing the report");
            }
            break;
        case 2: {
            std::vector<std::string> quit_keys = {"q", "Q", "\x03"};
            if (!trading) quit_keys.push_back(std::string(key::Up));  // its low byte is Ctrl-C
            if (put_back) cursor = *put_back;
            press(pick(quit_keys), "asking to quit");
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
                press(pick<std::string>(
                          {"0", "6", "9", "x", "\t", std::string(key::Down), std::string(key::Left), "z"}),
                      "a key the move prompt ignores");
            }
            break;
    }
    BOT_TRY(settle_running("after a side trip"));
    return expect_unchanged(before, cursor, "the side trip " + recent.back());
}

// One announcement: the title, the content rows, the map as the model has
// it at this point, the panel where the game has repainted it, and then a
// key (sometimes a repaint first, which must keep the announcement up).
AssertionResult Bot::Impl::announce(const std::string &title, bool blink, const General &content,
                                    bool panel_fresh, const std::string &what) {
    BOT_TRY(settle_running(("where this was due: " + what).c_str()));
    BOT_TRY(expect_title(title, blink));
    BOT_TRY(expect_region(content, what));
    BOT_TRY(expect_map(false));
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

AssertionResult Bot::Impl::resolve(int pos) {
    std::array<int, 4> s{};  // north, south, west, east
    for (const Direction d : {NORTH, SOUTH, WEST, EAST})
        s[static_cast<std::size_t>(d)] = neighbor_symbol(pos, d);
    const bool lone = std::all_of(s.begin(), s.end(), [](int v) { return v == '.' || v == '@'; });
    if (lone) {
        if (std::find(s.begin(), s.end(), '@') != s.end()) return black_hole(-1, pos);
        galaxy[static_cast<std::size_t>(pos)] = '+';
        return AssertionSuccess();
    }
    int &north = s[NORTH];
    int &south = s[SOUTH];
    int &west = s[WEST];
    int &east = s[EAST];
    int *const pairs[6][4] = {
        {&north, &south, &west, &east}, {&north, &east, &south, &west}, {&north, &west, &south, &east},
        {&west, &east, &north, &south}, {&east, &south, &west, &north}, {&west, &south, &east, &north},
    };
    for (int *const *pair : pairs) {
        if (is_letter(*pair[0]) && is_letter(*pair[1]) && *pair[0] != *pair[1]) {
            BOT_TRY(merge(pair[0], pair[1], pair[2], pair[3]));
        }
    }
    if (std::any_of(s.begin(), s.end(), is_letter)) return grow(pos, s);
    return found(pos, s);
}

AssertionResult Bot::Impl::merge(int *first, int *second, int *third, int *fourth) {
    ++stats.mergers;
    const int a = *first - 'A';
    const int b = *second - 'A';
    Company &ca = companies[static_cast<std::size_t>(a)];
    Company &cb = companies[static_cast<std::size_t>(b)];
    auto value = [&](int i) {
        long long v = 0;
        for (const Player &p : players)
            v += static_cast<long long>(p.holdings[static_cast<std::size_t>(i)]) *
                 companies[static_cast<std::size_t>(i)].price;
        return v;
    };
    int survivor = a;
    if (ca.size != cb.size) {
        survivor = cb.size > ca.size ? b : a;
    } else if (value(a) != value(b)) {
        survivor = value(b) > value(a) ? b : a;
    } else {
        survivor = (draws.next() & 1) != 0 ? b : a;
        ++stats.tied_mergers;
    }
    const int absorbed = survivor == a ? b : a;
    const char kept = static_cast<char>('A' + survivor);
    const char gone = static_cast<char>('A' + absorbed);
    std::replace(galaxy.begin(), galaxy.end(), gone, kept);
    *first = *second = kept;
    if (*third == gone) *third = kept;
    if (*fourth == gone) *fourth = kept;
    Company &winner = companies[static_cast<std::size_t>(survivor)];
    Company &loser = companies[static_cast<std::size_t>(absorbed)];
    winner.size += loser.size;
    winner.price += loser.price;
    loser.size = 0;
    loser.active = false;

    General merged;
    merged.centred(2, COMPANY_NAMES[absorbed]);
    merged.centred(3, "has just been merged into");
    merged.centred(4, COMPANY_NAMES[survivor]);
    merged.centred(7, "Press any key to continue...");
    BOT_TRY(announce(" Special Announcement! ", true, merged, false,
                     std::string("the merger of ") + gone + " into " + kept));

    // The stock exchange: two old shares for one new, an odd one rounded
    // up, and ten times the absorbed price shared out as bonuses.
    General table;
    table.skip_row(1);  // the absorbed company's name, covered by the header
    table.at(2, 4, "=Player===============Old Stock===New Stock===Total Holdings===Bonus=");
    long long held = 0;
    for (const Player &p : players) held += p.holdings[static_cast<std::size_t>(absorbed)];
    const long long divisor = held != 0 ? held : 1;
    std::vector<std::pair<int, long long>> changes;  // total, bonus
    for (std::size_t k = 0; k < players.size(); ++k) {
        const Player &p = players[k];
        const int old_shares = p.holdings[static_cast<std::size_t>(absorbed)];
        const int new_shares = static_cast<int>(float_double(old_shares) * 0.5 + 0.5);
        const int total = p.holdings[static_cast<std::size_t>(survivor)] + new_shares;
        const long long bonus = 10LL * old_shares * loser.price / divisor;
        table.at(3 + static_cast<int>(k), 4,
                 " " + padded(p.name, 20) + "   " +
                     format("%-5d       %-5d     %5d            ", old_shares, new_shares, total) +
                     format("$%-5lld", bonus));
        changes.emplace_back(total, bonus);
    }
    table.centred(8, "Press any key to continue...");
    BOT_TRY(announce(" Stock Transactions ", false, table, false,
                     std::string("the stock exchange of ") + gone + " into " + kept));
    for (std::size_t k = 0; k < players.size(); ++k) {
        players[k].holdings[static_cast<std::size_t>(survivor)] = changes[k].first;
        players[k].holdings[static_cast<std::size_t>(absorbed)] = 0;
        players[k].cash += changes[k].second;
    }
    if (winner.price > SPLIT_THRESHOLD) BOT_TRY(split(survivor));
    return AssertionSuccess();
}

AssertionResult Bot::Impl::split(int company) {
    ++stats.splits;
    Company &c = companies[static_cast<std::size_t>(company)];
    c.price = static_cast<int>(float_double(c.price) * 0.5 + 0.5);
    for (Player &p : players) p.holdings[static_cast<std::size_t>(company)] *= 2;
    General content;
    content.centred(2, std::string("The stock of ") + COMPANY_NAMES[company]);
    content.centred(3, "has split two-for-one!");
    content.centred(6, "Press any key to continue...");
    return announce(" Special Announcement! ", true, content, true,
                    std::string("the split of ") + static_cast<char>('A' + company));
}

// A lost site (company -1, detail the sector), a company swallowed at its
// founding (detail 0) or an existing company swallowed (detail 1).
AssertionResult Bot::Impl::black_hole(int company, int detail) {
    ++stats.black_holes;
    General content;
    std::string what;
    if (company < 0) {
        content.centred(2, "The new company site just placed");
        content.centred(3, "has been sucked into a black hole!");
        what = "the loss of the site";
    } else {
        std::replace(galaxy.begin(), galaxy.end(), static_cast<char>('A' + company), '.');
        for (Player &p : players) p.holdings[static_cast<std::size_t>(company)] = 0;
        companies[static_cast<std::size_t>(company)] = Company{};
        content.centred(2, detail == 1 ? "The company named" : "The company that would have been named");
        content.centred(3, COMPANY_NAMES[company]);
        content.centred(4, "has been sucked into a black hole!");
        if (detail == 1) content.centred(6, "All players' holdings lost.");
        what = std::string("the black hole swallowing ") + static_cast<char>('A' + company);
    }
    content.centred(8, "Press any key to continue...");
    return announce(" Special Announcement! ", true, content, company >= 0 && detail == 1, what);
}

void Bot::Impl::neighbor_effects(int company, int pos, const std::array<int, 4> &symbols) {
    Company &c = companies[static_cast<std::size_t>(company)];
    for (const int symbol : symbols) {
        if (symbol == '*') c.price += 500;
    }
    for (const int symbol : symbols) {
        if (symbol == '@') c.price -= 500;
    }
    for (const Direction d : {NORTH, SOUTH, WEST, EAST}) {
        const int neighbor = neighbor_pos(pos, d);
        if (symbols[static_cast<std::size_t>(d)] != '+' || neighbor < 0) continue;
        galaxy[static_cast<std::size_t>(neighbor)] = static_cast<char>('A' + company);
        c.size += 1;
        c.price += 100;
    }
}

AssertionResult Bot::Impl::found(int pos, const std::array<int, 4> &symbols) {
    int company = -1;
    for (int i = COMPANIES - 1; i >= 0; --i) {
        if (!companies[static_cast<std::size_t>(i)].active) company = i;
    }
    if (company < 0) {
        galaxy[static_cast<std::size_t>(pos)] = '+';
        return AssertionSuccess();
    }
    Company &c = companies[static_cast<std::size_t>(company)];
    galaxy[static_cast<std::size_t>(pos)] = static_cast<char>('A' + company);
    c = Company{true, 100, 1};
    neighbor_effects(company, pos, symbols);
    if (c.price <= 0) return black_hole(company, 0);
    ++stats.foundings;
    players[static_cast<std::size_t>(current)].holdings[static_cast<std::size_t>(company)] = FOUNDER_SHARES;
    General content;
    content.centred(2, "A new shipping company has been formed!");
    content.centred(4, std::string("Its name is ") + COMPANY_NAMES[company]);
    content.centred(7, "Press any key to continue...");
    return announce(" Special Announcement! ", true, content, true,
                    std::string("the founding of ") + static_cast<char>('A' + company));
}

AssertionResult Bot::Impl::grow(int pos, const std::array<int, 4> &symbols) {
    int letter = 0;
    for (const Direction d : {NORTH, SOUTH, EAST, WEST}) {
        if (letter == 0 && is_letter(symbols[static_cast<std::size_t>(d)]))
            letter = symbols[static_cast<std::size_t>(d)];
    }
    const int company = letter - 'A';
    Company &c = companies[static_cast<std::size_t>(company)];
    galaxy[static_cast<std::size_t>(pos)] = static_cast<char>(letter);
    c.size += 1;
    c.price += 100;
    neighbor_effects(company, pos, symbols);
    if (c.price <= 0) return black_hole(company, 1);
    if (c.price > SPLIT_THRESHOLD) return split(company);
    return AssertionSuccess();
}

// ------------------------------------------------------------ trading

AssertionResult Bot::Impl::expect_trading(const std::vector<int> &entries, int selected, bool moved,
                                          Position cursor) const {
    BOT_TRY(expect_title(cash_title(), false));
    General content;
    content.centred(1, "Arrow keys to select a company, return to trade, escape when done:");
    for (std::size_t j = 0; j < entries.size(); ++j) {
        content.at(LIST_ROW + static_cast<int>(j), NAME_COLUMN, COMPANY_NAMES[entries[j]]);
    }
    BOT_TRY(expect_region(content, "the trading dialog"));
    for (std::size_t j = 0; j < entries.size(); ++j) {
        const Cell cell = t.cell(GENERAL_TOP + LIST_ROW + static_cast<int>(j), 1 + NAME_COLUMN);
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
            want.fg = company_colours[entries[j]];
            want.bg = BLACK;
            want.bold = entries[j] == 0;
        }
        std::ostringstream out;
        out << "the trading entry " << COMPANY_NAMES[entries[j]]
            << (static_cast<int>(j) == selected ? " (selected)" : "") << " is drawn "
            << static_cast<const Style &>(cell) << ", expected " << want;
        BOT_CHECK(drawn_as(cell, want), out.str());
    }
    BOT_TRY(expect_panel("in the trading dialog"));
    return expect_cursor(cursor, "the trading dialog");
}

AssertionResult Bot::Impl::trading() {
    BOT_TRY(settle_running("where the trading dialog was due"));
    BOT_TRY(expect_map(false));
    std::vector<int> entries;
    for (int i = 0; i < COMPANIES; ++i) {
        if (companies[static_cast<std::size_t>(i)].active) entries.push_back(i);
    }
    const int count = static_cast<int>(entries.size());
    auto after_name = [&](int entry) {
        return Position{
            GENERAL_TOP + LIST_ROW + entry,
            1 + NAME_COLUMN +
                static_cast<int>(std::strlen(COMPANY_NAMES[entries[static_cast<std::size_t>(entry)]]))};
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
// zero amounts, and now and then one just out of range.
AssertionResult Bot::Impl::trade(const std::vector<int> &entries, int selected, bool moved) {
    ++stats.trades;
    const int company = entries[static_cast<std::size_t>(selected)];
    Player &p = players[static_cast<std::size_t>(current)];
    const int price = companies[static_cast<std::size_t>(company)].price;
    const long long min = -p.holdings[static_cast<std::size_t>(company)];
    const long long max = p.cash / price;
    const int row = GENERAL_TOP + LIST_ROW + selected;

    press(pick<std::string>({"\r", "\n", std::string(key::Right), std::string(CTRL_F)}),
          std::string("trading in ") + COMPANY_NAMES[company]);
    BOT_TRY(settle_running("at the amount prompt"));
    const std::string prompt = "Amount (" + std::to_string(min) + " to " + std::to_string(max) + "): ";
    BOT_TRY(expect_text(row, 1 + PROMPT_COLUMN, prompt, "the amount prompt"));
    const int echo_column = 1 + PROMPT_COLUMN + static_cast<int>(prompt.size());
    BOT_TRY(expect_cursor({row, echo_column}, "the amount prompt"));

    std::string keys;   // what is typed before the key that ends the input
    std::string shown;  // what the editor echoes of it
    std::string end = "\r";
    long long amount = 0;
    bool valid = true;
    const int kind = roll(100);
    if (kind < opt.invalid_amount_percent) {
        valid = false;
        amount = chance(50) || min == 0 ? max + 1 : min - 1;
        keys = shown = std::to_string(amount);
    } else if (kind < 14) {
        keys = shown = pick<std::string>({"m", "M"});
        end = pick<std::string>({"\r", "x", "5", "\x0c"});  // discarded, whatever it is
        amount = max;
    } else if (kind < 22) {
        keys = shown = pick<std::string>({"n", "N"});
        end = pick<std::string>({"\r", "x", "5", "\x0c"});
        amount = min;
    } else if (kind < 27) {
        keys = shown = "";
    } else if (kind < 31) {
        keys = shown = "0";
    } else if (kind < 35) {
        keys = shown = "-";
    } else {
        amount = chance(70) ? std::uniform_int_distribution<long long>(0, max)(rng)
                            : std::uniform_int_distribution<long long>(min, 0)(rng);
        keys = shown = std::to_string(amount);
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
        BOT_TRY(expect_text(row, echo_column, padded(shown, 9), "the typed amount"));
        press(end, "ending the amount");
    } else {
        press(keys + end, "an amount");
    }
    if (!valid) {
        ++stats.invalid_amounts;
        auto message = [&] { return text_at(t, row, 1 + PROMPT_COLUMN, 15) == "Invalid amount!"; };
        BOT_TRY(t.wait_for(message, Millis{5000}, "\"Invalid amount!\""));
        BOT_TRY(t.wait_for([&] { return !message(); }, Millis{5000}, "the end of \"Invalid amount!\""));
    } else {
        p.cash -= amount * price;
        p.holdings[static_cast<std::size_t>(company)] += static_cast<int>(amount);
    }
    BOT_TRY(settle_running("after an amount"));
    return expect_trading(entries, selected, moved,
                          {row, 1 + NAME_COLUMN + static_cast<int>(std::strlen(COMPANY_NAMES[company]))});
}

// ------------------------------------------------------------ the end

AssertionResult Bot::Impl::finish() {
    BOT_TRY(settle_running("where the final standings were due"));
    BOT_TRY(expect_standings(true));
    press(pick<std::string>({"\r", " ", "x", "q", "\x0c", "\x1b", std::string(key::Down)}),
          "closing the final standings");
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

std::string Bot::summary() const {
    const BotStats &s = impl_->stats;
    std::ostringstream out;
    out << "seed " << impl_->opt.seed << ", " << impl_->opt.players << " player(s), "
        << (impl_->opt.monochrome ? "monochrome" : "colour") << ": " << s.turns << " turns, " << s.foundings
        << " foundings, " << s.mergers << " mergers (" << s.tied_mergers << " tied), " << s.splits
        << " splits, " << s.black_holes << " black holes, " << s.trades << " trades (" << s.invalid_amounts
        << " invalid), " << s.hotkeys << " hotkeys, " << s.short_prompts
        << " prompts with fewer than 5 offers" << (s.ended_without_offers ? ", ended without offers" : "");
    return out.str();
}

}  // namespace e2e
