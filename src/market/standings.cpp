// The standings: players ranked by net worth, in a modal window.
#include "market/market.h"
#include "ui/ui.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::int64_t net_worth(int player) {
    return static_cast<std::int64_t>(players[player].cash) + players[player].stock_value;
}

// The market value of a player's shares in the active companies. Each
// product fits in 64 bits, their sum may not: it is clamped as it grows.
int stock_value(int player) {
    std::int64_t value = 0;
    for (int k = 0; k < NUM_COMPANIES; ++k) {
        if (companies[k].size != 0) {
            value = clamp_int(value + static_cast<std::int64_t>(players[player].holdings[k]) * companies[k].price);
        }
    }
    return clamp_int(value);
}

// Sectors still to be added before the companies cover more than 53% of the map.
int sectors_remaining() {
    std::int64_t total = 0;
    for (int k = 0; k < NUM_COMPANIES; ++k) total += companies[k].size;
    return clamp_int(map_width * map_height * 54 / 100 - total + 1);
}

void draw_player_row(WINDOW *window, int row, int player) {
    const Player &p = players[player];
    char text[96];
    wmove(window, row, 3);
    wattr_on(window, A_BOLD, nullptr);
    // The name's field is 22 columns: at least two blanks after the longest
    // name (20 columns), so every figure stays under its header.
    put_text(window, p.name);
    for (int column = text_width(p.name); column < 22; ++column) waddch(window, ' ');
    wattr_off(window, A_BOLD, nullptr);
    std::snprintf(text, sizeof text, "$%-8d   $%-8d  ", p.stock_value, p.cash);
    waddstr(window, text);
    std::snprintf(text, sizeof text, "$%-8d", clamp_int(net_worth(player)));
    put_text_attr(window, A_BOLD, text);
}

}  // namespace

// Orders player indices richest first; equal net worths keep index order,
// whatever the sort's stability.
int by_net_worth(const void *a, const void *b) {
    const int left = *static_cast<const int *>(a);
    const int right = *static_cast<const int *>(b);
    const std::int64_t left_worth = net_worth(left);
    const std::int64_t right_worth = net_worth(right);
    if (left_worth != right_worth) return left_worth > right_worth ? -1 : 1;
    return left < right ? -1 : (left > right ? 1 : 0);
}

void show_standings(const char *title) {
    constexpr int width = 60;
    const int n = num_players;
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
    for (int p = 0; p < n; ++p) {
        order[p] = p;
        players[p].stock_value = stock_value(p);
    }
    std::qsort(order, static_cast<std::size_t>(n), sizeof order[0], by_net_worth);
    for (int place = 0; place < n; ++place) draw_player_row(window, 4 + place, order[place]);

    std::snprintf(text, sizeof text, "Available company sectors remaining: %d", sectors_remaining());
    center_text(window, width, n + 5, text);
    put_text_at(window, n + 7, 16, "Press any key to continue...");

    wait_dialog_key(window);
    close_dialog(window);
}
