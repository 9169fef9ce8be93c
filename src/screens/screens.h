// The program's state: the one game being played (a Game, src/rules/game.h)
// and what the screens need beside it: the display scheme, the layout size
// and the three windows of the main screen.
#pragma once

#include <curses.h>

#include "rules/game.h"

constexpr const char *VERSION = "1.2.2";
constexpr const char *VERSION_DATE = "29-Mar-1997";

// The game being played; every screen shows it.
extern Game game;

// The seats the computer plays, by player index.
extern bool computer_seat[MAX_PLAYERS];

extern int use_color;
extern int screen_lines;  // layout height; curses' own LINES is never used
extern int screen_cols;   // layout width; curses' own COLS is never used

extern WINDOW *map_window;
extern WINDOW *general_window;
extern WINDOW *coinfo_window;
