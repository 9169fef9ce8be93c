// Who plays each seat: the players the title screen reads (a person's name,
// or the computer at a strength), and the computer's turn on the screens
// (src/screens/computer_seat.cpp). A person's turn is the move prompt and
// the trading dialog of screens.h, which know nothing of the computer.
#pragma once

#include "computer/strength.h"
#include "screens/screens.h"

// Who plays a seat: a person, or the computer at `strength`.
struct SeatPlayer {
    bool computer;
    Strength strength;
};

// What the title screen read: how many play, their names, and who plays
// each seat.
struct Lineup {
    int players;
    char names[MAX_PLAYERS][NAME_SIZE];
    SeatPlayer seats[MAX_PLAYERS];
};

// title_screen.cpp
// Shows the title screen and reads the number of players and each seat's
// name or computer.
Lineup setup_players();

// computer_seat.cpp
// The computer's move at `strength`, shown as a person's would be: the
// offers stay marked a while, then its digit stands after the prompt.
// Returns the index of the offer chosen.
int computer_move(const Game &game, const Table &table, Strength strength, const int offers[NUM_MOVES],
                  int offer_count);
// The computer's trades at `strength`, made in the trading dialog as a
// person's would be and kept in the table's record.
void computer_trades(Game &game, Table &table, Strength strength);
