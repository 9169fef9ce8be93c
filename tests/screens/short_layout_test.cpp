// Mergers on the shortest layout that plays: the stock table of every player
// is drawn whole, and every player's stock is exchanged.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "flow/flow.h"
#include "screens/screens.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;
using headless::expect_window;

class ShortLayout : public CursesTest {
  protected:
    // Builds the game state again on a layout of `lines` rows by 80, with
    // four players holding `shares[k]` of company B and one share of A.
    void open_short(const char *lines, const int (&shares)[MAX_PLAYERS]) {
        open_screen(25, 80, 0, MAX_PLAYERS);
        for (WINDOW *window : {map_window, general_window, coinfo_window}) delwin(window);
        setenv("LINES", lines, 1);
        setenv("COLUMNS", "80", 1);
        init_game(game);
        unsetenv("LINES");
        unsetenv("COLUMNS");
        game.num_players = MAX_PLAYERS;
        const char *names[MAX_PLAYERS] = {"Ann", "Bob", "Cy", "Dee"};
        for (int k = 0; k < MAX_PLAYERS; ++k) {
            std::snprintf(game.players[k].name, sizeof game.players[k].name, "%s", names[k]);
            game.players[k].holdings[0] = 1;
            game.players[k].holdings[1] = shares[k];
        }
        game.companies[1].price = 400;
    }
};

// The 24-row layout, the shortest that plays, shows the whole table of four
// players and the pause under it.
TEST_F(ShortLayout, StockTableOfFourPlayersFitsTheShortestLayout) {
    open_short("24", {10, 30, 0, 0});
    type(" ");
    merge_and_show_exchange(0, 1);
    EXPECT_TRUE(expect_window(general_window, R"(
┌////////////////////////////{r: Stock Transactions }////////////////////////////┐
|                             {b:Beetlejuice, Ltd.}                              |
|   {r:=Player===============Old Stock===New Stock===Total Holdings===Bonus=}    |
|   {b: Ann                    }10          5             6            {b:$1000 }    |
|   {b: Bob                    }30          15           16            {b:$3000 }    |
|   {b: Cy                     }0           0             1            {b:$0    }    |
|   {b: Dee                    }0           0             1            {b:$0    }    |
|                                                                            |
|                        Press any key to continue...                        |
└////////////////////////////////////////////////////////////////////////////┘
)",
                              {{'b', A_BOLD}, {'r', A_REVERSE}}));
    const int total[MAX_PLAYERS] = {6, 16, 1, 1};
    const int bonus[MAX_PLAYERS] = {1000, 3000, 0, 0};
    for (int k = 0; k < MAX_PLAYERS; ++k) {
        EXPECT_EQ(game.players[k].holdings[0], total[k]) << "player " << k;
        EXPECT_EQ(game.players[k].holdings[1], 0) << "player " << k;
        EXPECT_EQ(game.players[k].cash, STARTING_CASH + bonus[k]) << "player " << k;
    }
}

}  // namespace
