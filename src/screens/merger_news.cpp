// The announcement of a merger and its table of stock transactions.
// (Screen; the merger itself is src/rules/merge.cpp.)
#include "screens/screens.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char *company_name(const Game &game, int company) { return game.companies[company].name; }

// The stock table's columns: player, old stock, new stock, total holdings
// and bonus.
enum { NAME, OLD, NEW, TOTAL, BONUS, COLUMN_COUNT };

constexpr int TABLE_LEFT = 4;  // where the table starts

// The header's words over their columns:
// "=Player===...Old Stock===New Stock===Total Holdings===Bonus=".
constexpr HeaderWord HEADER[COLUMN_COUNT] = {
    // TRANSLATORS: the merger table's header over the players' names (also
    // the standings'): at most 20 columns, as the longest name.
    {N_("Player"), 1},
    // TRANSLATORS: the merger table's header over each player's shares in
    // the absorbed company: at most 11 columns; a longer one moves the columns after it right.
    {N_("Old Stock"), -2},
    // TRANSLATORS: the merger table's header over the survivor's shares
    // given for them: at most 11 columns; a longer one moves the columns after it right.
    {N_("New Stock"), -2},
    // TRANSLATORS: the merger table's header over each player's holding in
    // the survivor after the merger: at most 16 columns; a longer one
    // moves the bonus right.
    {N_("Total Holdings"), 0},
    // TRANSLATORS: the merger table's header over each player's bonus: at
    // most 5 columns; a longer one widens the table.
    {N_("Bonus"), 0},
};

// Lays out the table for the players' names and figures and the header's
// words; returns its end. At figures that fit (holdings of up to ten digits
// in the old stock, nine in the new, sixteen in the total, a bonus of up to
// five) and the English words the columns stand where they always have: old
// stock at 28, new at 40, the total right-aligned in five columns from 50,
// the bonus at 67.
int lay_out(const Game &game, const Event &merger, TableColumn columns[COLUMN_COUNT]) {
    // nominal, room, least (for the header's words), width
    columns[NAME] = {24, 22, 10, 0, 0};
    columns[OLD] = {12, 10, 10, 0, 0};
    columns[NEW] = {10, 9, 8, 0, 0};
    columns[TOTAL] = {17, 16, 15, 5, 0};  // right-aligned in five columns at least
    columns[BONUS] = {6, 6, 6, 0, 0};
    fit_header_words(columns, HEADER, COLUMN_COUNT);
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

void draw_player_row(const Game &game, int row, int player, const ShareExchange &line,
                     const TableColumn columns[COLUMN_COUNT]) {
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
void announce_merger(const Game &game, int survivor, int absorbed) {
    const int width = screen_cols - 2;
    // TRANSLATORS: the title of an announcement, on the general window's top
    // border: at most 76 columns with its blanks at both ends.
    general_header(translation_within(N_(" Special Announcement! "), width - 2), 1);
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 2, company_name(game, absorbed));
    wattr_off(general_window, A_BOLD, nullptr);
    // TRANSLATORS: between the absorbed company's name and the survivor's,
    // each on a line of its own: at most 76 columns.
    center_text(general_window, width, 3, translation_within(N_("has just been merged into"), width - 2));
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, width, 4, company_name(game, survivor));
    wattr_off(general_window, A_BOLD, nullptr);
    wait_key(7);
}

// The exchange of a merger's stock, a row per player: the shares held in
// the absorbed company, the survivor's shares given for them, the player's
// new holding in the survivor and the bonus.
void show_stock_exchange(const Game &game, const Event &merger) {
    // TRANSLATORS: the merger table's title, on the general window's top
    // border: at most 76 columns with its blanks at both ends.
    general_header(translation_within(N_(" Stock Transactions "), screen_cols - 4), 0);
    wattr_on(general_window, A_BOLD, nullptr);
    center_text(general_window, screen_cols - 2, 1, company_name(game, merger.absorbed));
    wattr_off(general_window, A_BOLD, nullptr);
    TableColumn columns[COLUMN_COUNT];
    const int end = lay_out(game, merger, columns);
    draw_table_header(general_window, 2, TABLE_LEFT, end, '=',
                      scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE), columns, HEADER,
                      COLUMN_COUNT);

    for (int k = 0; k < game.num_players; ++k) {
        // A short general window has no room for the later rows.
        if (wmove(general_window, k + 3, columns[NAME].start) == ERR) continue;
        draw_player_row(game, k + 3, k, merger.exchange[k], columns);
    }
    wait_key(8);
}
