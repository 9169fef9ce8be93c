// The bot's reading of the screen: the map, the panel, the general window's
// title; and the checks every screen shares (text, regions, the cursor, the
// map's styles, the panel against the account).
#include "support/bot_impl.h"

namespace e2e {

// ------------------------------------------------------------ reading the screen

// The panel's companies, each row checked for its layout.
AssertionResult Bot::Impl::read_panel(std::vector<PanelRow> &rows) const {
    rows.clear();
    BOT_TRY(expect_text(MAP_TOP, PANEL_LEFT, format(" %-19s    %5s  %8s ", "Company", "Price", "Holdings"),
                        "the company panel's header"));
    std::string unread;
    const auto panel = panel_of(t, &unread);
    BOT_CHECK(panel.has_value(), "a row of the company panel reads \"" + unread + "\"");
    for (const PanelRow &entry : *panel) {
        BOT_TRY(expect_text(
            entry.row, PANEL_LEFT,
            padded(format(" %-19s    $%-4lld   %-5lld", entry.name.c_str(), entry.price, entry.holding),
                   PANEL_WIDTH),
            "the company panel's row for " + entry.name));
    }
    rows = *panel;
    return AssertionSuccess();
}

// The name and cash in the general window's title " NAME (Cash: $N) ".
AssertionResult Bot::Impl::read_title(std::string &name, long long &shown_cash) const {
    const auto title = turn_of(t);
    BOT_CHECK(
        title.has_value() && title->row == GENERAL_TOP,
        "the general window's title \"" + trimmed(t.row_text(GENERAL_TOP)) + "\" names no player and cash");
    name = title->player;
    shown_cash = title->cash;
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

}  // namespace e2e
