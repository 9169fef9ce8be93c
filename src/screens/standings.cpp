// The standings: players ranked by net worth, in a modal window. (Screen;
// the worth and the ranking are src/rules/worth.cpp.)
#include "screens/screens.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace {

// The table's columns: name, stock value, cash and net worth.
enum { NAME, STOCK, CASH, NET, COLUMN_COUNT };

constexpr int TABLE_LEFT = 3;  // where the names start
constexpr int MIN_WIDTH = 60;  // the window at figures that fit

// One player's figures as text.
struct Figures {
    char stock[32];
    char cash[32];
    char net[32];
};

Figures figures_of(int player) {
    Figures figures{};
    std::snprintf(figures.stock, sizeof figures.stock, "$%" PRId64, stock_value(game, player));
    std::snprintf(figures.cash, sizeof figures.cash, "$%d", game.players[player].cash);
    std::snprintf(figures.net, sizeof figures.net, "$%-8" PRId64, net_worth(game, player));
    return figures;
}

int width_of(const char *figure) { return static_cast<int>(std::strcspn(figure, " ")); }

// The header's words over their columns:
// "=Player====...Stock Value===Cash=====Net Worth=".
constexpr HeaderWord HEADER[COLUMN_COUNT] = {
    // TRANSLATORS: the standings' header over the players' names (also
    // the merger table's): at most 20 columns, as the longest name.
    {N_("Player"), 0},
    // TRANSLATORS: the standings' header over each player's worth in
    // shares: at most 13 columns; a longer one moves the columns after it
    // right.
    {N_("Stock Value"), 0},
    // TRANSLATORS: the standings' header over each player's cash: at
    // most 8 columns; a longer one moves the net worth right.
    {N_("Cash"), 2},
    // TRANSLATORS: the standings' header over each player's net worth:
    // at most 9 columns; a longer one widens the window.
    {N_("Net Worth"), 0},
};

// Lays out the table for the players' widest name and figures and the
// header's words; returns its end. At figures of up to eight digits (nine
// for the net worth) and the English words the columns stand where they
// always have: names at 3, stock value at 25, cash at 37, net worth at 48.
int lay_out(TableColumn columns[COLUMN_COUNT]) {
    // nominal, room, least (for the header's words), width
    columns[NAME] = {22, 20, 7, 0, 0};
    columns[STOCK] = {12, 11, 10, 0, 0};
    columns[CASH] = {11, 10, 7, 0, 0};
    columns[NET] = {10, 10, 10, 0, 0};
    fit_header_words(columns, HEADER, COLUMN_COUNT);
    for (int p = 0; p < game.num_players; ++p) {
        const Figures figures = figures_of(p);
        columns[NAME].width = std::max(columns[NAME].width, text_width(game.players[p].name));
        columns[STOCK].width = std::max(columns[STOCK].width, width_of(figures.stock));
        columns[CASH].width = std::max(columns[CASH].width, width_of(figures.cash));
        columns[NET].width = std::max(columns[NET].width, width_of(figures.net));
    }
    // One blank column and the border stay on the right.
    return lay_out_columns(columns, COLUMN_COUNT, TABLE_LEFT, std::max(MIN_WIDTH, screen_cols) - 2);
}

void draw_player_row(WINDOW *window, int row, int player, const TableColumn columns[COLUMN_COUNT]) {
    const Player &p = game.players[player];
    const Figures figures = figures_of(player);
    // The name and the blanks after it are bold, up to the stock value.
    wmove(window, row, columns[NAME].start);
    wattr_on(window, A_BOLD, nullptr);
    put_text(window, p.name);
    for (int column = columns[NAME].start + text_width(p.name); column < columns[STOCK].start; ++column) {
        waddch(window, ' ');
    }
    wattr_off(window, A_BOLD, nullptr);
    put_text_at(window, row, columns[STOCK].start, figures.stock);
    put_text_at(window, row, columns[CASH].start, figures.cash);
    wmove(window, row, columns[NET].start);
    put_text_attr(window, A_BOLD, figures.net);
}

}  // namespace

void show_standings(const char *title, bool final) {
    const int n = game.num_players;
    TableColumn columns[COLUMN_COUNT];
    const int width = lay_out(columns) + 2;
    WINDOW *window = open_dialog(n + 9, width, scheme_attr(pair_attr(PAIR_BLUE), A_BOLD),
                                 // TRANSLATORS: a fatal message on standard error, after the
                                 // game has left the screen: "vegatrade: " stays; no room limit.
                                 // The standings are the window S opens, and the final one.
                                 _("vegatrade: couldn't create standings window\n"));

    char text[256];
    std::snprintf(text, sizeof text, " %s ", title);
    const attr_t title_attr = scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE);
    wattr_on(window, title_attr, nullptr);
    center_text(window, width, 0, text);
    wattr_off(window, title_attr, nullptr);
    draw_table_header(window, 2, TABLE_LEFT - 1, width - 2, '=',
                      scheme_attr(pair_attr(PAIR_WHITE_ON_BLUE), A_REVERSE), columns, HEADER, COLUMN_COUNT);

    int order[MAX_PLAYERS];
    rank_players(game, order);
    for (int place = 0; place < n; ++place) draw_player_row(window, 4 + place, order[place], columns);

    // Once the game's end is reached no sectors remain, however far past it.
    format_within(text, sizeof text, width - 4,
                  // TRANSLATORS: under the standings, with a number of up to
                  // three digits: at most 53 columns without the number.
                  N_("Available company sectors remaining: %d"), std::max(0, sectors_remaining(game)));
    center_text(window, width, n + 5, text);
    center_text(window, width, n + 7, translation_within(N_("Press any key to continue..."), width - 4));

    if (final) {
        while (wait_dialog_key(window) == CTRL_L) redraw_all();
    } else {
        wait_dialog_key(window);
    }
    close_dialog(window);
}
