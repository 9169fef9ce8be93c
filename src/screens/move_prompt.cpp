// The move offers on the map and the move prompt, a person's or the
// computer's. (Screen; the draw is src/rules/offers.cpp.)
#include "computer/computer.h"
#include "screens/screens.h"

#include <cstdio>

namespace {

// Writes the prompt and returns the column just after it.
int show_prompt(int offer_count) {
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
    show_computer_news();
    show_coinfo();
    noecho();
    return text_width(text) + 1;
}

// Waits for the digit of an offer, serving the hotkeys meanwhile.
int read_choice(int offer_count, int prompt_end) {
    for (;;) {
        wmove(general_window, 2, prompt_end);
        wnoutrefresh(general_window);
        doupdate();
        const int c = read_key();
        if (c > 255) continue;  // an arrow or a function key selects nothing
        if (serve_hotkey(c, HelpFrom::MOVE_PROMPT) != Hotkey::NONE) continue;
        if (c - '0' >= 1 && c - '0' <= offer_count) return c - '0';
    }
}

// The computer's choice, shown as a person's would be: the offers stay on
// the map a while, then its digit stands after the prompt.
int computer_choice(const int offers[NUM_MOVES], int offer_count, int prompt_end) {
    const int choice = choose_move(game, offers, offer_count, computer_strength[game.current_player]) + 1;
    wmove(general_window, 2, prompt_end);
    wnoutrefresh(general_window);
    computer_pause(OFFERS_PAUSE_MS);
    mvwaddch(general_window, 2, prompt_end, static_cast<chtype>('0' + choice));
    wnoutrefresh(general_window);
    computer_pause(STEP_PAUSE_MS);
    return choice;
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

// Marks the offers on the map, lets the current player (a person or the
// computer) choose one, and returns its index.
int get_move(const int offers[NUM_MOVES], int offer_count) {
    mark_offers(offers, offer_count);
    const int prompt_end = show_prompt(offer_count);
    const int choice = computer_seat[game.current_player] ? computer_choice(offers, offer_count, prompt_end)
                                                          : read_choice(offer_count, prompt_end);
    for (int k = 0; k < offer_count; ++k) {
        mvwaddch(map_window, sector_row(offers[k]), sector_column(offers[k]),
                 static_cast<chtype>(SECTOR_EMPTY));
    }
    wnoutrefresh(map_window);
    return choice - 1;
}
