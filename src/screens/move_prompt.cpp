// The move offers on the map and the move prompt, and a person's choice at
// it. (Screen; the draw is src/rules/offers.cpp. The computer's seat plays
// the same prompt: src/screens/computer_seat.cpp.)
#include "screens/screens.h"

#include <cstdio>

namespace {

// Waits for the digit of an offer, serving the hotkeys meanwhile.
int read_choice(const Game &game, const Table &table, int offer_count, int prompt_end) {
    for (;;) {
        wmove(general_window, 2, prompt_end);
        wnoutrefresh(general_window);
        doupdate();
        const int c = read_key();
        if (c > 255) continue;  // an arrow or a function key selects nothing
        if (serve_hotkey(c, HelpFrom::MOVE_PROMPT, game, table) != Hotkey::NONE) continue;
        if (c - '0' >= 1 && c - '0' <= offer_count) return c - '0';
    }
}

}  // namespace

// Marks the offers with their digits, in reverse video.
void mark_offers(const int offers[NUM_MOVES], int count) {
    wattr_on(map_window, A_REVERSE, nullptr);
    for (int k = 0; k < count; ++k) {
        mvwaddch(map_window, sector_row(offers[k]), sector_column(offers[k]), static_cast<chtype>('1' + k));
    }
    wattr_off(map_window, A_REVERSE, nullptr);
    wnoutrefresh(map_window);
}

// Shows the offers' sectors as open space again.
void clear_offers(const int offers[NUM_MOVES], int count) {
    for (int k = 0; k < count; ++k) {
        mvwaddch(map_window, sector_row(offers[k]), sector_column(offers[k]),
                 static_cast<chtype>(SECTOR_EMPTY));
    }
    wnoutrefresh(map_window);
}

int show_move_prompt(const Game &game, int offer_count) {
    const Player &player = game.players[game.current_player];
    char text[160];
    format_cash_title(text, sizeof text, player);
    general_header(text, 0);
    // The digit typed stands after the prompt, inside the border.
    format_within(text, sizeof text, screen_cols - 5,
                  // TRANSLATORS: the move prompt: the mover's name (at most 20
                  // columns) and the last offer's digit; the digit typed follows.
                  // With its blank at the start, at most 54 columns without the
                  // name and the digit.
                  N_(" %s, enter your move [1-%d]: "), player.name, offer_count);
    put_text_at(general_window, 2, 1, text);
    show_coinfo(game);
    noecho();
    return text_width(text) + 1;
}

// Below the prompt, the list of what the computers did since this person's
// last move.
int get_move(const Game &game, const Table &table, const int offers[NUM_MOVES], int offer_count) {
    mark_offers(offers, offer_count);
    const int prompt_end = show_move_prompt(game, offer_count);
    show_computer_news(game, table);
    const int choice = read_choice(game, table, offer_count, prompt_end);
    clear_offers(offers, offer_count);
    return choice - 1;
}
