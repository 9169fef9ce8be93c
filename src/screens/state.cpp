// The one game being played and the windows it is shown in.
#include "screens/screens.h"

Game game{};
bool computer_seat[MAX_PLAYERS] = {};

WINDOW *map_window = nullptr;
WINDOW *general_window = nullptr;
WINDOW *coinfo_window = nullptr;
