// The announcement of a merger and its table of stock transactions.
// (Screen; the merger itself is src/rules/merge.cpp.)
#include "screens/screens.h"

#include <cstdio>

namespace {

const char *company_name(int company) { return game.companies[company].name; }

// Writes a text and pads it with blanks to `width` columns.
void put_padded(WINDOW *window, const char *text, int width) {
    put_text(window, text);
    for (int column = text_width(text); column < width; ++column) waddch(window, ' ');
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
    put_text_attr_at(general_window, 2, 4, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE),
                     "=Player===============Old Stock===New Stock===Total Holdings===Bonus=");

    for (int k = 0; k < game.num_players; ++k) {
        const ExchangeLine &line = merger.exchange[k];
        // A short general window has no room for the later rows.
        if (wmove(general_window, k + 3, 4) == ERR) continue;
        wattr_on(general_window, A_BOLD, nullptr);
        waddch(general_window, ' ');
        put_padded(general_window, game.players[k].name, 20);
        waddstr(general_window, "   ");
        wattr_off(general_window, A_BOLD, nullptr);
        char figures[96];
        std::snprintf(figures, sizeof figures, "%-5d       %-5d     %5d            ", line.old_shares,
                      line.new_shares, line.total);
        waddstr(general_window, figures);
        std::snprintf(figures, sizeof figures, "$%-5d", line.bonus);
        put_text_attr(general_window, A_BOLD, figures);
    }
    wait_key(8);
}
