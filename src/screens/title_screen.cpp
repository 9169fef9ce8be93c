// The title screen: the number of players, and each seat's name or computer.
#include "screens/seats.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The hint rows between the name prompts and the notice. The first says at
// the number prompt how one player alone plays against the computer, and
// while the names are asked how to give a seat to the computer; the second,
// from the start, how to get help once the game is on.
constexpr int SEAT_HINT_ROW = 16;
constexpr const char *ALONE_HINT =
    // TRANSLATORS: a hint on the title screen at the number prompt: at most
    // 76 columns. Tab is the key's name.
    N_("Alone? Choose 2, then press Tab at the second name: the computer plays it");
// TRANSLATORS: a hint on the title screen while the names are asked: at
// most 76 columns. Tab is the key's name.
constexpr const char *NAME_HINT = N_("Tab: the computer plays this seat");
// While a computer's seat is offered, what the strength shown is for, Tab
// giving the next harder one and Enter the seat.
const char *strength_hint(Strength strength) {
    switch (strength) {
        case Strength::EASY:
            // TRANSLATORS: a hint on the title screen while the computer's
            // easy strength is offered: what it is for, then the keys (Tab
            // shows the next harder strength, Enter gives the seat), named
            // as keyboards in your language name them. At most 76 columns.
            return N_("Easy: for your first games   Tab: harder   Enter: take it");
        case Strength::CASUAL:
            // TRANSLATORS: a hint on the title screen while the computer's
            // casual strength is offered: what it is for, then the keys (Tab
            // shows the next harder strength, Enter gives the seat). At most
            // 76 columns.
            return N_("Casual: once you know the rules   Tab: harder   Enter: take it");
        case Strength::NORMAL:
            // TRANSLATORS: a hint on the title screen while the computer's
            // normal strength is offered: what it is for, then the keys (Tab
            // shows the next harder strength, Enter gives the seat). At most
            // 76 columns.
            return N_("Normal: a fair match   Tab: harder   Enter: take it");
        case Strength::HARD:
            // TRANSLATORS: a hint on the title screen while the computer's
            // hard strength, the hardest, is offered: what it is for, then
            // the keys (Tab goes back to the easy strength, Enter gives the
            // seat). At most 76 columns.
            return N_("Hard: for seasoned players   Tab: back to easy   Enter: take it");
    }
    return NAME_HINT;
}
constexpr int HELP_HINT_ROW = 17;
// TRANSLATORS: a hint on the title screen: at most 76 columns. ? is the key.
constexpr const char *HELP_HINT = N_("?: help during the game");

// The columns inside the title's frame a text may take, a blank kept on
// either side.
int title_room() { return screen_cols - 4; }

// Writes a hint, centred, over what its row held inside the frame.
void show_hint(int row, const char *hint) {
    wmove(stdscr, row, 1);
    for (int column = 1; column < screen_cols - 1; ++column) waddch(stdscr, ' ');
    center_text(stdscr, screen_cols, row, translation_within(hint, title_room()));
}

// The computer's names, each a star's; a computer seat takes the first that
// no player before it took, at any strength.
constexpr const char *COMPUTER_STARS[] = {"Deneb", "Rigel", "Sirius", "Polaris", "Vega"};

// A computer's name with its strength, as it stands wherever the name does.
// A star's name takes at most 7 columns, the whole name at most 20.
void computer_name(char *out, const char *star, Strength strength) {
    switch (strength) {
        case Strength::EASY:
            // TRANSLATORS: the name of a computer player at its easy
            // strength: a star's name (at most 7 columns) and the strength;
            // 20 columns in all, so at most 13 columns without the star.
            format_within(out, NAME_SIZE, MAX_NAME_LEN, N_("%s (easy)"), star);
            return;
        case Strength::CASUAL:
            // TRANSLATORS: the name of a computer player at its casual
            // strength, for players who know the rules: a star's name (at
            // most 7 columns) and the strength; at most 13 columns without
            // the star.
            format_within(out, NAME_SIZE, MAX_NAME_LEN, N_("%s (casual)"), star);
            return;
        case Strength::NORMAL:
            // TRANSLATORS: the name of a computer player at its normal
            // strength: a star's name (at most 7 columns) and the strength;
            // at most 13 columns without the star.
            format_within(out, NAME_SIZE, MAX_NAME_LEN, N_("%s (normal)"), star);
            return;
        case Strength::HARD:
            // TRANSLATORS: the name of a computer player at its hard
            // strength, the hardest: a star's name (at most 7 columns) and
            // the strength; at most 13 columns without the star.
            format_within(out, NAME_SIZE, MAX_NAME_LEN, N_("%s (hard)"), star);
            return;
    }
}

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

    for (int i = 0; i < 3; ++i) {
        const char *line = translation_within(NOTICE_LINES[i], title_room());
        center_text(stdscr, screen_cols, screen_lines - 5 + i, line);
    }

    const attr_t banner = scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE);
    wattr_on(stdscr, banner, nullptr);
    center_text(stdscr, screen_cols, 6, "* V * E * G * A ** T * R * A * D * E *");
    wattr_off(stdscr, banner, nullptr);

    center_text(stdscr, screen_cols, SEAT_HINT_ROW, translation_within(ALONE_HINT, title_room()));
    center_text(stdscr, screen_cols, HELP_HINT_ROW, translation_within(HELP_HINT, title_room()));

    char prompt[160];
    // The digit typed follows the prompt, inside the frame.
    format_within(prompt, sizeof prompt, title_room() - 1,
                  // TRANSLATORS: the first question of the title screen, centred,
                  // with the most players (one digit); the digit typed follows it:
                  // at most 74 columns without the most players.
                  N_("Please enter the number of players [1-%d]: "), MAX_PLAYERS);
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

// The first star no player before seat `index` took as a computer's name.
const char *free_star(const Lineup &lineup, int index) {
    for (const char *star : COMPUTER_STARS) {
        bool taken = false;
        for (int p = 0; p < index && !taken; ++p) {
            Strength strength = EASIEST;
            do {
                char name[NAME_SIZE];
                computer_name(name, star, strength);
                taken = taken || std::strcmp(lineup.names[p], name) == 0;
                strength = next_strength(strength);
            } while (strength != EASIEST);
        }
        if (!taken) return star;
    }
    return COMPUTER_STARS[0];
}

// Offers seat `index` to the computer in place of the name at (row,
// column): its name at the easiest strength, each Tab the next harder one,
// the hardest followed by the easiest again; the hint row says what the
// strength shown is for. Enter
// gives the seat at the strength shown and returns true; Backspace empties
// the line again and returns false.
bool choose_computer(Lineup &lineup, int index, int row, int column) {
    char *name = lineup.names[index];
    const char *star = free_star(lineup, index);
    Strength strength = EASIEST;
    LineChoice choice = LineChoice::NEXT;
    for (;;) {
        show_hint(SEAT_HINT_ROW, strength_hint(strength));
        computer_name(name, star, strength);
        wmove(stdscr, row, column);
        for (int c = 0; c < MAX_NAME_LEN; ++c) waddch(stdscr, ' ');
        put_text_at(stdscr, row, column, name);
        wrefresh(stdscr);
        choice = read_line_choice(stdscr);
        if (choice != LineChoice::NEXT) break;
        strength = next_strength(strength);
    }
    show_hint(SEAT_HINT_ROW, NAME_HINT);
    if (choice == LineChoice::TAKE) {
        lineup.seats[index] = {true, strength};
        wmove(stdscr, row, column + text_width(name));
        return true;
    }
    wmove(stdscr, row, column);
    for (int c = 0; c < MAX_NAME_LEN; ++c) waddch(stdscr, ' ');
    name[0] = '\0';
    return false;
}

// Asks player `index` for a name until one that shows something is given:
// a name of blanks only would leave the prompt and the standings without
// one. The name is echoed right after the prompt, which stands left of the
// centre as if it were 8 columns longer. Tab on the empty line offers the
// seat to the computer, whose name then stands where a typed one would.
void read_player_name(Lineup &lineup, int index) {
    char prompt[160];
    // The prompt, 8 columns left of the centre, and the longest name after
    // it stay inside the frame with a blank beside it.
    const int length = format_within(prompt, sizeof prompt, screen_cols + 8 - 2 * (MAX_NAME_LEN + 2),
                                     // TRANSLATORS: the name prompt on the title screen, with
                                     // the player's number (one digit); the name typed follows
                                     // it: at most 43 columns without the number.
                                     N_("Player %d, enter your name: "), index + 1);
    const int column = (screen_cols - length - 8) / 2;
    char *name = lineup.names[index];
    do {
        put_text_at(stdscr, 11 + index, column, prompt);
        wrefresh(stdscr);
        if (get_line(stdscr, 11 + index, column + length, MAX_NAME_LEN, INPUT_NAME, name, NAME_SIZE) &&
            choose_computer(lineup, index, 11 + index, column + length)) {
            wrefresh(stdscr);
            return;
        }
    } while (blank_text(name));
}

}  // namespace

// A seat is a person's unless its name prompt gives it to the computer.
Lineup setup_players() {
    Lineup lineup{};
    for (SeatPlayer &seat : lineup.seats) seat = {false, Strength::NORMAL};
    // The title screen is all on stdscr: the game's windows, still empty,
    // would blank it.
    on_resume([] { repaint_windows({}); });
    draw_title_screen();
    lineup.players = read_player_count();
    show_hint(SEAT_HINT_ROW, NAME_HINT);
    nl();
    for (int i = 0; i < lineup.players; ++i) read_player_name(lineup, i);
    nonl();
    on_resume(nullptr);
    return lineup;
}
