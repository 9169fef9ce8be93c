// What stays global in the screens (screens.h says why of each): the
// layout's windows and whether every seat is the computer's. The game being
// played is not here: the game's flow owns it and passes it to each screen.
#include "screens/screens.h"

WINDOW *map_window = nullptr;
WINDOW *general_window = nullptr;
WINDOW *coinfo_window = nullptr;
bool every_seat_computer = false;
