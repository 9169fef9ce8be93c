// The game's flow on top of everything: the command line, start-up and the
// main screen, the game's creation, the seats, and the turn loop. The flow
// owns the game being played and passes each screen what it shows.
#pragma once

#include "rules/course.h"
#include "screens/seats.h"

// A seat as the screens play it, the `self` of its TurnSeat: the table the
// game is played at and, for the computer, its strength.
struct ScreenSeat {
    Table *table;
    Strength strength;
};

// The game being played: the game, what the screens keep beside it (its
// record, who plays each seat), and each seat's turn, chosen once when the
// players are seated. The seats point into it, so it stays where it is made.
struct Match {
    Game game;
    Table table;
    ScreenSeat players[MAX_PLAYERS];
    TurnSeat seats[MAX_PLAYERS];
};

// What the command line asks for.
enum class Launch { AUTO_COLOR, FORCE_COLOR, MONOCHROME, SHOW_VERSION, USAGE_ERROR };

// command_line.cpp
Launch parse_command_line(int argc, const char *const argv[]);
void handle_command_line(Launch launch);

// startup.cpp
void start_curses(Launch launch);
void draw_title_bar();
void draw_main_screen(const Game &game);

// init.cpp
void init_game(Game &game);
void read_screen_size();

// seating.cpp
void seat_lineup(Match &match, const Lineup &lineup);
void take_seats(Match &match, const SeatPlayer seats[MAX_PLAYERS]);

// turn_loop.cpp
void play_game(Match &match);
