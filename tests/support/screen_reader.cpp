// The reader of the game's screens; see screen_reader.h.
#include "support/screen_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace e2e {
namespace {

// The texts by which the screens are known, each once.
constexpr std::string_view NUMBER_PROMPT = "Please enter the number of players [1-";
constexpr std::string_view NAME_PROMPT_HEAD = "Player ";  // "Player N, enter your name: "
constexpr std::string_view NAME_PROMPT_TAIL = ", enter your name:";
constexpr std::string_view MOVE_PROMPT = ", enter your move [1-";
constexpr std::string_view TRADING_LINE = "Arrow keys to select a company";
constexpr std::string_view AMOUNT_WORD = "Amount ";   // "Amount (MIN to MAX): ", or without the word
constexpr std::string_view CASH_TITLE = " (Cash: $";  // " NAME (Cash: $N) "
constexpr std::string_view NO_COMPANIES = " no active companies";
constexpr std::string_view ANNOUNCEMENT_TITLE = " Special Announcement! ";
constexpr std::string_view EXCHANGE_TITLE = " Stock Transactions ";
constexpr std::string_view STANDINGS_TITLE = " Current Standings ";
constexpr std::string_view FINAL_TITLE = " GAME OVER - Final Standings ";
constexpr std::string_view REPORT_TITLE = " Detailed Company Information ";
constexpr std::string_view HELP_TITLE = " Help: page ";
constexpr std::string_view RECORD_TITLE = " The game's record: page ";
constexpr std::string_view QUIT_TITLE = " Really Quit? ";

// An announcement's kind by its content rows (row 2, 3 or 4 of the window).
constexpr std::string_view FOUNDED = "A new shipping company has been formed!";  // row 2
constexpr std::string_view FOUNDED_NAME = "Its name is ";                        // row 4
constexpr std::string_view MERGED = "has just been merged into";                 // row 3
constexpr std::string_view SPLIT = "has split two-for-one!";                     // row 3
constexpr std::string_view SPLIT_NAME = "The stock of ";                         // row 2
constexpr std::string_view LOST_COMPANY = "The company named";                   // row 2, the name on row 3
constexpr std::string_view LOST_FOUNDING =
    "The company that would have been named";                               // row 2, the name on row 3
constexpr std::string_view LOST_SITE = "The new company site just placed";  // row 2

// The trading dialog's columns in the general window (its left border is column 0).
constexpr int LIST_FIRST_ROW = 3;  // below the window's title
constexpr int NAME_COLUMN = 20;
constexpr int PROMPT_COLUMN = 40;

bool has(const std::string &text, std::string_view part) { return text.find(part) != std::string::npos; }

std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
    return text;
}

// A row one byte per cell, for finding columns: a cell that is not one
// ASCII character reads as '?'.
std::string cells_of(const Terminal &t, int row) {
    std::string text;
    for (int col = 0; col < t.cols(); ++col) {
        const std::string ch = t.cell(row, col).ch;
        text += ch.size() == 1 ? ch.front() : '?';
    }
    return text;
}

// The first row whose text holds `part`, or -1.
int row_with(const Terminal &t, std::string_view part) {
    for (int row = 0; row < t.rows(); ++row) {
        if (has(t.row_text(row), part)) return row;
    }
    return -1;
}

// The general window's left and right border columns, found on its title row.
std::pair<int, int> general_borders(const Terminal &t, int title_row) {
    int left = -1, right = -1;
    for (int col = 0; col < t.cols(); ++col) {
        const std::string ch = t.cell(title_row, col).ch;
        if (ch == "┌" && left < 0) left = col;
        if (ch == "┐") right = col;
    }
    if (left < 0 || right <= left) return {1, t.cols() - 2};
    return {left, right};
}

// Content row k of the general window whose title is on `title_row`, trimmed.
std::string general_row(const Terminal &t, int title_row, int k) {
    const auto [left, right] = general_borders(t, title_row);
    std::string text;
    for (int col = left + 1; col < right; ++col) text += t.cell(title_row + k, col).ch;
    return trimmed(text);
}

// Reads the amount prompt's "(MIN to MAX): " at `at` of `text`, the word
// "Amount " before it or not; the length read, or 0 when it is not there.
std::size_t read_range(const std::string &text, std::size_t at, long long &min, long long &max) {
    std::size_t i = at;
    if (text.compare(i, AMOUNT_WORD.size(), AMOUNT_WORD) == 0) i += AMOUNT_WORD.size();
    auto literal = [&](std::string_view part) {
        if (text.compare(i, part.size(), part) != 0) return false;
        i += part.size();
        return true;
    };
    auto number = [&](long long &value) {
        const std::size_t start = i;
        if (i < text.size() && text[i] == '-') ++i;
        const std::size_t digits = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        if (i == digits) return false;
        value = std::atoll(text.c_str() + start);
        return true;
    };
    if (!literal("(") || !number(min) || !literal(" to ") || !number(max) || !literal("): ")) return 0;
    return i - at;
}

std::string after_prefix(const std::string &text, std::string_view prefix) {
    return text.starts_with(prefix) ? text.substr(prefix.size()) : std::string();
}

}  // namespace

const char *screen_name(Screen screen) {
    switch (screen) {
        case Screen::Unknown: return "unknown";
        case Screen::Number: return "number prompt";
        case Screen::Name: return "name editor";
        case Screen::Move: return "move prompt";
        case Screen::Trade: return "trading list";
        case Screen::Amount: return "amount editor";
        case Screen::Announcement: return "announcement";
        case Screen::Standings: return "standings";
        case Screen::Report: return "company report";
        case Screen::Help: return "help";
        case Screen::Record: return "record";
        case Screen::Quit: return "quit question";
        case Screen::Final: return "final standings";
    }
    return "?";
}

std::ostream &operator<<(std::ostream &os, Screen screen) { return os << screen_name(screen); }

const char *news_name(News news) {
    switch (news) {
        case News::None: return "none";
        case News::Founding: return "new company";
        case News::Merger: return "merger";
        case News::StockTransactions: return "stock transactions";
        case News::Split: return "split";
        case News::LostSite: return "lost site";
        case News::LostFounding: return "lost founding";
        case News::CompanyLost: return "company lost";
        case News::Other: return "other";
    }
    return "?";
}

Screen screen_of(const Terminal &t) {
    const std::string screen = t.screen_text();
    // The modal windows first, the quit question above all; the help and
    // the record can stand over the final standings.
    if (has(screen, QUIT_TITLE)) return Screen::Quit;
    if (has(screen, HELP_TITLE)) return Screen::Help;
    if (has(screen, RECORD_TITLE)) return Screen::Record;
    if (has(screen, FINAL_TITLE)) return Screen::Final;
    if (has(screen, STANDINGS_TITLE)) return Screen::Standings;
    if (has(screen, REPORT_TITLE)) return Screen::Report;
    if (has(screen, ANNOUNCEMENT_TITLE) || has(screen, EXCHANGE_TITLE)) return Screen::Announcement;
    if (has(screen, TRADING_LINE)) return amount_prompt_of(t) ? Screen::Amount : Screen::Trade;
    if (move_prompt_of(t)) return Screen::Move;
    if (name_prompt_of(t) > 0) return Screen::Name;
    if (has(screen, NUMBER_PROMPT)) return Screen::Number;
    return Screen::Unknown;
}

::testing::AssertionResult wait_for_screen(Terminal &t, Screen screen, Millis timeout) {
    return t.wait_for([&] { return screen_of(t) == screen; }, timeout,
                      std::string("the ") + screen_name(screen));
}

bool at_move_prompt(const Terminal &t) { return screen_of(t) == Screen::Move; }

Announcement announcement_of(const Terminal &t) {
    Announcement news;
    news.title_row = row_with(t, EXCHANGE_TITLE);
    if (news.title_row >= 0) {
        news.kind = News::StockTransactions;
        return news;
    }
    news.title_row = row_with(t, ANNOUNCEMENT_TITLE);
    if (news.title_row < 0) return news;
    auto row = [&](int k) { return general_row(t, news.title_row, k); };
    if (row(2) == FOUNDED) {
        news.kind = News::Founding;
        news.company = after_prefix(row(4), FOUNDED_NAME);
    } else if (row(3) == MERGED) {
        news.kind = News::Merger;
        news.company = row(2);
        news.into = row(4);
    } else if (row(3) == SPLIT) {
        news.kind = News::Split;
        news.company = after_prefix(row(2), SPLIT_NAME);
    } else if (row(2) == LOST_COMPANY) {
        news.kind = News::CompanyLost;
        news.company = row(3);
    } else if (row(2) == LOST_FOUNDING) {
        news.kind = News::LostFounding;
        news.company = row(3);
    } else if (row(2) == LOST_SITE) {
        news.kind = News::LostSite;
    } else {
        news.kind = News::Other;
    }
    return news;
}

std::optional<Turn> turn_of(const Terminal &t) {
    for (int r = 0; r < t.rows(); ++r) {
        const std::string row = t.row_text(r);
        const std::size_t cash = row.rfind(CASH_TITLE);
        if (cash == std::string::npos) continue;
        // The title between the runs of '/' that fill the window's top border.
        std::size_t first = row.find('/');
        std::size_t last = row.rfind('/');
        if (first == std::string::npos || first >= cash || last <= cash) continue;
        first = row.find_first_not_of('/', first);
        last = row.find_last_not_of('/', last);
        const std::string title = row.substr(first, last - first + 1);
        const std::size_t at = title.rfind(CASH_TITLE);
        if (at < 1 || title.front() != ' ' || !title.ends_with(") ")) continue;
        Turn turn;
        turn.player = title.substr(1, at - 1);
        turn.cash = std::atoll(title.c_str() + at + CASH_TITLE.size());
        turn.row = r;
        return turn;
    }
    return std::nullopt;
}

std::optional<MovePrompt> move_prompt_of(const Terminal &t) {
    for (int r = 0; r < t.rows(); ++r) {
        const std::string row = t.row_text(r);
        const std::size_t at = row.rfind(MOVE_PROMPT);
        if (at == std::string::npos) continue;
        // " NAME, enter your move [1-k]: " right after the window's border.
        const std::size_t border = row.find("| ");
        const std::size_t digit = at + MOVE_PROMPT.size();
        if (border == std::string::npos || border + 2 > at || digit + 3 > row.size()) continue;
        if (row[digit] < '1' || row[digit] > '9' || row.compare(digit + 1, 2, "]:") != 0) continue;
        MovePrompt prompt;
        prompt.player = row.substr(border + 2, at - border - 2);
        prompt.offers = row[digit] - '0';
        std::string rest = row.substr(digit + 3);
        const std::size_t right = rest.rfind('|');
        if (right != std::string::npos) rest.erase(right);
        prompt.typed = trimmed(rest);
        prompt.row = r;
        return prompt;
    }
    return std::nullopt;
}

std::string map_of(const Terminal &t) {
    std::string shown(static_cast<std::size_t>(MAP_SECTORS), '?');
    for (int pos = 0; pos < MAP_SECTORS; ++pos) {
        const Position at = sector_cell(pos / MAP_COLUMNS, pos % MAP_COLUMNS);
        const std::string ch = t.cell(at.row, at.col).ch;
        const char symbol = ch.size() == 1 ? ch.front() : '?';
        shown[static_cast<std::size_t>(pos)] = symbol >= '1' && symbol <= '5' ? '.' : symbol;
    }
    return shown;
}

std::vector<Offer> offers_on_map(const Terminal &t) {
    std::vector<Offer> offers;
    for (int pos = 0; pos < MAP_SECTORS; ++pos) {
        const Position at = sector_cell(pos / MAP_COLUMNS, pos % MAP_COLUMNS);
        const Cell cell = t.cell(at.row, at.col);
        if (cell.ch.size() != 1 || cell.ch[0] < '1' || cell.ch[0] > '9') continue;
        offers.push_back({cell.ch[0] - '0', pos, cell.reverse});
    }
    return offers;
}

std::optional<AmountPrompt> amount_prompt_of(const Terminal &t) {
    const int title_row = row_with(t, TRADING_LINE) - 1;
    if (title_row < 0) return std::nullopt;
    const int left = general_borders(t, title_row).first;
    // The prompt stands at its column of a company's row.
    const int column = left + PROMPT_COLUMN;
    for (int row = title_row + LIST_FIRST_ROW; row < t.rows(); ++row) {
        const std::string cells = cells_of(t, row);
        if (static_cast<int>(cells.size()) <= column) break;
        AmountPrompt prompt;
        const std::size_t length =
            read_range(cells, static_cast<std::size_t>(column), prompt.min, prompt.max);
        if (length == 0) continue;
        prompt.row = row;
        prompt.column = column;
        prompt.echo_column = column + static_cast<int>(length);
        return prompt;
    }
    return std::nullopt;
}

bool any_company_active(const Terminal &t) { return !has(t.screen_text(), NO_COMPANIES); }

std::vector<std::string> trading_list_of(const Terminal &t) {
    std::vector<std::string> names;
    const int title_row = row_with(t, TRADING_LINE) - 1;
    if (title_row < 0) return names;
    const int left = general_borders(t, title_row).first;
    for (int row = title_row + LIST_FIRST_ROW; row < t.rows(); ++row) {
        std::string name;
        for (int col = left + NAME_COLUMN; col < left + PROMPT_COLUMN - 1; ++col) name += t.cell(row, col).ch;
        name = trimmed(name);
        if (name.empty()) break;
        names.push_back(name);
    }
    return names;
}

std::optional<std::vector<PanelRow>> panel_of(const Terminal &t, std::string *unread) {
    constexpr int PANEL_WIDTH = 40;
    constexpr int COMPANIES = 5;
    std::vector<PanelRow> rows;
    for (int j = 0; j < COMPANIES; ++j) {
        const int row = MAP_TOP + 2 + 2 * j;
        const std::string text = cells_of(t, row).substr(PANEL_LEFT, PANEL_WIDTH);
        if (trimmed(text).empty()) break;
        if (j == 0 && text.starts_with(NO_COMPANIES)) break;
        PanelRow entry;
        entry.name = trimmed(text.substr(0, 24));
        entry.row = row;
        if (std::sscanf(text.c_str() + 24, "$%lld %lld", &entry.price, &entry.holding) != 2) {
            if (unread != nullptr) *unread = text;
            return std::nullopt;
        }
        rows.push_back(entry);
    }
    return rows;
}

int name_prompt_of(const Terminal &t) {
    int asked = 0;
    for (int r = 0; r < t.rows(); ++r) {
        const std::string row = t.row_text(r);
        const std::size_t tail = row.find(NAME_PROMPT_TAIL);
        if (tail == std::string::npos) continue;
        // "Player N" right before the tail.
        std::size_t digits = tail;
        while (digits > 0 && row[digits - 1] >= '0' && row[digits - 1] <= '9') --digits;
        if (digits == tail || digits < NAME_PROMPT_HEAD.size() ||
            row.compare(digits - NAME_PROMPT_HEAD.size(), NAME_PROMPT_HEAD.size(), NAME_PROMPT_HEAD) != 0)
            continue;
        asked = std::max(asked, std::atoi(row.c_str() + digits));
    }
    return asked;
}

::testing::AssertionResult wait_for_name_prompt(Terminal &t, int player, Millis timeout) {
    return t.wait_for([&] { return name_prompt_of(t) == player; }, timeout,
                      "the name prompt of player " + std::to_string(player));
}

}  // namespace e2e
