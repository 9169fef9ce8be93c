// The standings: players ranked by net worth, in a modal window. (Screen;
// the worth and the ranking are src/rules/worth.cpp.)
#include "screens/screens.h"

#include <cstdio>

namespace {

void draw_player_row(WINDOW *window, int row, int player) {
    const Player &p = game.players[player];
    char text[96];
    wmove(window, row, 3);
    wattr_on(window, A_BOLD, nullptr);
    // The name's field is 22 columns: at least two blanks after the longest
    // name (20 columns), so every figure stays under its header.
    put_text(window, p.name);
    for (int column = text_width(p.name); column < 22; ++column) waddch(window, ' ');
    wattr_off(window, A_BOLD, nullptr);
    std::snprintf(text, sizeof text, "$%-8d   $%-8d  ", stock_value(game, player), p.cash);
    waddstr(window, text);
    std::snprintf(text, sizeof text, "$%-8d", clamp_int(net_worth(game, player)));
    put_text_attr(window, A_BOLD, text);
}

}  // namespace

void show_standings(const char *title) {
    constexpr int width = 60;
    const int n = game.num_players;
    WINDOW *window = open_dialog(n + 9, width, scheme_attr(pair_attr(PAIR_BLUE), A_BOLD),
                                 "vegatrade: couldn't create standings window\n");

    char text[128];
    std::snprintf(text, sizeof text, " %s ", title);
    const attr_t title_attr = scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE);
    wattr_on(window, title_attr, nullptr);
    center_text(window, width, 0, text);
    wattr_off(window, title_attr, nullptr);
    put_text_attr_at(window, 2, 2, scheme_attr(pair_attr(PAIR_WHITE_ON_BLUE), A_REVERSE),
                     "=Player================Stock Value===Cash=====Net Worth=");

    int order[MAX_PLAYERS];
    rank_players(game, order);
    for (int place = 0; place < n; ++place) draw_player_row(window, 4 + place, order[place]);

    std::snprintf(text, sizeof text, "Available company sectors remaining: %d", sectors_remaining(game));
    center_text(window, width, n + 5, text);
    put_text_at(window, n + 7, 16, "Press any key to continue...");

    wait_dialog_key(window);
    close_dialog(window);
}
