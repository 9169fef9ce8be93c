// The five move offers and the move prompt.
#include "galaxy/galaxy.h"
#include "market/market.h"
#include "ui/ui.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int CTRL_C = 3;
constexpr int CTRL_L = 12;

// Whether a sector may be offered: open, and while every company is active,
// not a founding site.
bool qualifies(int pos, bool all_active) {
    return galaxy[pos] == SECTOR_EMPTY && !(all_active && is_founding_site(pos));
}

void mark_offer(int pos, int k) {
    mvwaddch(map_window, pos / map_width + 1, (pos % map_width) * 3 + 2, static_cast<chtype>('1' + k));
}

// Writes the prompt and returns the column just after it.
int show_prompt(int offer_count) {
    const Player &player = players[current_player];
    char text[160];
    std::snprintf(text, sizeof text, " %s (Cash: $%d) ", player.name, player.cash);
    general_header(text, 0);
    std::snprintf(text, sizeof text, " %s, enter your move [1-%d]: ", player.name, offer_count);
    put_text_at(general_window, 2, 1, text);
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
        const int upper = ascii_upper(c);
        if (c == CTRL_C || upper == 'Q') {
            confirm_quit();
        } else if (c == CTRL_L) {
            redraw_all();
        } else if (upper == 'S') {
            if (!note_too_small()) show_standings(" Current Standings ");
        } else if (upper == 'C') {
            if (!note_too_small()) more_coinfo();
        } else if (c == '?') {
            if (!note_too_small()) show_help(HelpFrom::MOVE_PROMPT);
        } else if (c - '0' >= 1 && c - '0' <= offer_count) {
            return c - '0';
        }
    }
}

}  // namespace

// The number of sectors that may be offered this turn.
int count_move_candidates() {
    const bool all_active = next_free_company() == -1;
    int count = 0;
    for (int pos = 0; pos < map_width * map_height; ++pos) {
        if (qualifies(pos, all_active)) ++count;
    }
    return count;
}

// Chooses the offers and marks them on the map; returns how many there are.
// With five or more candidates they are drawn at random, one rand() per
// candidate; with fewer, all of them are offered in map order.
int draw_offers(int offers[NUM_MOVES]) {
    const bool all_active = next_free_company() == -1;
    const int cells = map_width * map_height;
    int count = 0;
    wattr_on(map_window, A_REVERSE, nullptr);
    if (count_move_candidates() >= NUM_MOVES) {
        while (count < NUM_MOVES) {
            const int pos = std::rand() % cells;
            bool taken = false;
            for (int k = 0; k < count; ++k) taken = taken || offers[k] == pos;
            if (taken || !qualifies(pos, all_active)) continue;
            offers[count] = pos;
            mark_offer(pos, count++);
        }
    } else {
        for (int pos = 0; pos < cells; ++pos) {
            if (!qualifies(pos, all_active)) continue;
            offers[count] = pos;
            mark_offer(pos, count++);
        }
    }
    wattr_off(map_window, A_REVERSE, nullptr);
    wnoutrefresh(map_window);
    return count;
}

// Offers the current player their moves and returns the chosen sector, or
// -1 when no sector can be offered (the game then ends).
int get_move() {
    int offers[NUM_MOVES];
    const int offer_count = draw_offers(offers);
    if (offer_count == 0) return -1;
    const int prompt_end = show_prompt(offer_count);
    const int choice = read_choice(offer_count, prompt_end);
    echo();
    for (int k = 0; k < offer_count; ++k) {
        mvwaddch(map_window, offers[k] / map_width + 1, (offers[k] % map_width) * 3 + 2,
                 static_cast<chtype>(SECTOR_EMPTY));
    }
    wnoutrefresh(map_window);
    return offers[choice - 1];
}
