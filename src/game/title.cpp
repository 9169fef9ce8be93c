// The title screen: number of players, the first player, and the names.
#include "game/game.h"
#include "ui/ui.h"

#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int CTRL_C = 3;

// The hint row, between the name prompts and the notice: how to get help
// once the game is on.
constexpr int HINT_ROW = 16;
constexpr const char *HINT = "?: help during the game";

// The frame of '$' round the layout, or round as much of it as the screen
// holds; on a larger terminal the rest stays blank.
void draw_title_frame(attr_t attr) {
    const int rows = std::min(screen_lines, getmaxy(stdscr));
    const int columns = std::min(screen_cols, getmaxx(stdscr));
    WINDOW *frame = derwin(stdscr, rows, columns, 0, 0);
    if (frame == nullptr) return;
    wattr_on(frame, attr, nullptr);
    wborder(frame, '$', '$', '$', '$', 0, 0, 0, 0);
    delwin(frame);
}

void draw_title_screen() {
    wclear(stdscr);
    const attr_t frame = scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW), A_NORMAL);
    draw_title_frame(frame);
    wattr_on(stdscr, frame, nullptr);
    char version[32];
    std::snprintf(version, sizeof version, " V%s ", VERSION);
    center_text(stdscr, screen_cols, screen_lines - 1, version);
    wattr_off(stdscr, frame, nullptr);

    for (int i = 0; i < 3; ++i) center_text(stdscr, screen_cols, screen_lines - 5 + i, NOTICE_LINES[i]);

    const attr_t banner = scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE);
    wattr_on(stdscr, banner, nullptr);
    center_text(stdscr, screen_cols, 6, "* V * E * G * A ** T * R * A * D * E *");
    wattr_off(stdscr, banner, nullptr);

    center_text(stdscr, screen_cols, HINT_ROW, HINT);

    char prompt[64];
    std::snprintf(prompt, sizeof prompt, "Please enter the number of players [1-%d]: ", MAX_PLAYERS);
    center_text(stdscr, screen_cols, 9, prompt);
    wrefresh(stdscr);
    noecho();
    raw();
}

// Waits for a digit from 1 to MAX_PLAYERS; Ctrl-C leaves the program, and
// every other key is ignored.
int read_player_count() {
    for (;;) {
        const int key = read_key();
        if (key == CTRL_C) quit_before_game();
        if (key >= '1' && key < '1' + MAX_PLAYERS) {
            waddch(stdscr, static_cast<chtype>(key));
            return key - '0';
        }
    }
}

// Asks player `index` for a name until one that shows something is given:
// a name of blanks only would leave the prompt and the standings without
// one. The name is echoed right after the prompt, which stands left of the
// centre as if it were 8 columns longer.
void read_player_name(int index) {
    char prompt[40];
    const int length = std::snprintf(prompt, sizeof prompt, "Player %d, enter your name: ", index + 1);
    const int column = (screen_cols - length - 8) / 2;
    char *name = players[index].name;
    do {
        put_text_at(stdscr, 11 + index, column, prompt);
        wrefresh(stdscr);
        get_line(stdscr, 11 + index, column + length, MAX_NAME_LEN, INPUT_TEXT, name,
                 sizeof players[index].name);
    } while (blank_text(name));
}

}  // namespace

// Shows the title screen and sets num_players, current_player and the names.
void setup_players() {
    draw_title_screen();
    num_players = read_player_count();
    std::srand(static_cast<unsigned>(getpid()));
    current_player = std::rand() % num_players;
    nl();
    for (int i = 0; i < num_players; ++i) read_player_name(i);
    nonl();
}
