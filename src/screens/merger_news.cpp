// The announcement of a merger and its table of stock transactions.
// (Screen; the merger itself is src/rules/merge.cpp.)
#include "screens/screens.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char *company_name(int company) { return game.companies[company].name; }

// The stock table's columns: player, old stock, new stock, total holdings
// and bonus.
enum { NAME, OLD, NEW, TOTAL, BONUS, COLUMN_COUNT };

constexpr int TABLE_LEFT = 4;  // where the table starts

// Lays out the table for the players' names and figures; returns its end.
// At figures that fit (holdings of up to ten digits in the old stock, nine
// in the new, sixteen in the total, a bonus of up to five) the columns
// stand where they always have: old stock at 28, new at 40, the total
// right-aligned in five columns from 50, the bonus at 67.
int lay_out(const Event &merger, TableColumn columns[COLUMN_COUNT]) {
    // nominal, room, least (for the header's words), width
    columns[NAME] = {24, 22, 10, 0, 0};
    columns[OLD] = {12, 10, 10, 0, 0};
    columns[NEW] = {10, 9, 8, 0, 0};
    columns[TOTAL] = {17, 16, 15, 5, 0};  // right-aligned in five columns at least
    columns[BONUS] = {6, 6, 6, 0, 0};
    char figure[32];
    for (int k = 0; k < game.num_players; ++k) {
        const ShareExchange &line = merger.exchange[k];
        const auto widen = [&](int column, int width) {
            columns[column].width = std::max(columns[column].width, width);
        };
        widen(NAME, 1 + text_width(game.players[k].name));
        widen(OLD, std::snprintf(figure, sizeof figure, "%d", line.old_shares));
        widen(NEW, std::snprintf(figure, sizeof figure, "%d", line.new_shares));
        widen(TOTAL, std::snprintf(figure, sizeof figure, "%d", line.total));
        widen(BONUS, std::snprintf(figure, sizeof figure, "$%d", line.bonus));
    }
    // A blank column and the border stay on the right.
    return lay_out_columns(columns, COLUMN_COUNT, TABLE_LEFT, getmaxx(general_window) - 2);
}

// "=Player===...Old Stock===New Stock===Total Holdings===Bonus=", its words
// over their columns.
void draw_header(const TableColumn columns[COLUMN_COUNT], int end) {
    char header[160];
    const int length = std::min(end - TABLE_LEFT, static_cast<int>(sizeof header) - 1);
    std::memset(header, '=', sizeof header);
    header[length] = '\0';
    const auto place = [&](int column, const char *word) {
        const int size = static_cast<int>(std::strlen(word));
        if (column - TABLE_LEFT + size <= length) {
            std::memcpy(header + column - TABLE_LEFT, word, static_cast<std::size_t>(size));
        }
    };
    place(columns[NAME].start + 1, "Player");
    place(columns[OLD].start - 2, "Old Stock");
    place(columns[NEW].start - 2, "New Stock");
    place(columns[TOTAL].start, "Total Holdings");
    place(columns[BONUS].start, "Bonus");
    put_text_attr_at(general_window, 2, TABLE_LEFT,
                     scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE), header);
}

void draw_player_row(int row, int player, const ShareExchange &line, const TableColumn columns[COLUMN_COUNT]) {
    // The name and the blanks round it are bold, up to the old stock.
    wattr_on(general_window, A_BOLD, nullptr);
    waddch(general_window, ' ');
    put_text(general_window, game.players[player].name);
    for (int column = getcurx(general_window); column < columns[OLD].start; ++column)
        waddch(general_window, ' ');
    wattr_off(general_window, A_BOLD, nullptr);
    char figure[32];
    std::snprintf(figure, sizeof figure, "%d", line.old_shares);
    put_text_at(general_window, row, columns[OLD].start, figure);
    std::snprintf(figure, sizeof figure, "%d", line.new_shares);
    put_text_at(general_window, row, columns[NEW].start, figure);
    std::snprintf(figure, sizeof figure, "%*d", columns[TOTAL].width, line.total);
    put_text_at(general_window, row, columns[TOTAL].start, figure);
    std::snprintf(figure, sizeof figure, "$%-5d", line.bonus);
    wmove(general_window, row, columns[BONUS].start);
    put_text_attr(general_window, A_BOLD, figure);
}

}  // namespace

// The announcement of a merger.
void announce_merger(int survivor, int absorbed) {
    general_header(" Special Announcement! ", 1);
    const int width = screen_cols - 2;
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 2, company_name(absorbed));
    wattr_off(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 3, "has just been merged into");
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 4, company_name(survivor));
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(7);
}

// The exchange of a merger's stock, a row per player: the shares held in
// the absorbed company, the survivor's shares given for them, the player's
// new holding in the survivor and the bonus.
void show_stock_exchange(const Event &merger) {
    general_header(" Stock Transactions ", 0);
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, screen_cols - 2, 1, company_name(merger.absorbed));
    wattr_off(general_window, A_BOLD, nullptr);
    TableColumn columns[COLUMN_COUNT];
    const int end = lay_out(merger, columns);
    draw_header(columns, end);

    for (int k = 0; k < game.num_players; ++k) {
        // A short general window has no room for the later rows.
        if (wmove(general_window, k + 3, columns[NAME].start) == ERR) continue;
        draw_player_row(k + 3, k, merger.exchange[k], columns);
    }
    wait_key(8);
}
