// The process-wide game state.
#include "game/state.h"

int map_width = 12;
int map_height = 10;
int use_color = 0;
int num_players = 0;
int current_player = 0;
int screen_lines = 25;
int screen_cols = 80;

char *galaxy = nullptr;
Company *companies = nullptr;
Player *players = nullptr;

WINDOW *map_window = nullptr;
WINDOW *general_window = nullptr;
WINDOW *coinfo_window = nullptr;
