// The one game being played and the windows it is shown in.
#include "screens/screens.h"

Game game{};
bool computer_seat[MAX_PLAYERS] = {};
static_assert(MAX_PLAYERS == 4, "a computer seat plays at normal strength until it is told otherwise");
Strength computer_strength[MAX_PLAYERS] = {Strength::NORMAL, Strength::NORMAL, Strength::NORMAL,
                                           Strength::NORMAL};

WINDOW *map_window = nullptr;
WINDOW *general_window = nullptr;
WINDOW *coinfo_window = nullptr;
