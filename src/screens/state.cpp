// The program's state.
#include "screens/screens.h"

Game game{};
bool computer_seat[MAX_PLAYERS] = {};

int use_color = 0;
int screen_lines = 25;
int screen_cols = 80;

WINDOW *map_window = nullptr;
WINDOW *general_window = nullptr;
WINDOW *coinfo_window = nullptr;
