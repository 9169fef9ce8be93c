// The turn loop: turns pass in player order until no sector is left to
// offer. The end of the game and the passing of turns as rules are tested
// in tests/rules/turn_test.cpp.
#include "flow/flow.h"
#include "screens/screens.h"
#include "support/map_fixture.h"
#include "support/screen.h"

namespace {

using headless::CursesTest;

TEST_F(CursesTest, TurnsPassInPlayerOrderUntilNoSectorIsLeft) {
    // Three open sectors among stars: each move founds the next company,
    // whose five shares show who moved; then nothing is left to offer.
    open_screen(25, 80, 1, 3);
    map_fixture::load_map(game, {
                                    "************",
                                    "*.**********",
                                    "************",
                                    "************",
                                    "*******.****",
                                    "************",
                                    "************",
                                    "************",
                                    "**********.*",
                                    "************",
                                });
    game.current_player = 1;
    set_escdelay(25);
    type(
        "1 \033"    // player 2 founds A, answers the announcement, ends trading
        "1 \033"    // player 3 founds B
        "1 \033");  // player 1 founds C
    play_game();
    const int expected[3][NUM_COMPANIES] = {{0, 0, 5, 0, 0}, {5, 0, 0, 0, 0}, {0, 5, 0, 0, 0}};
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < NUM_COMPANIES; ++i)
            EXPECT_EQ(game.players[p].holdings[i], expected[p][i]) << p << " " << i;
    }
    EXPECT_EQ(game.current_player, 1) << "the turn passed after each trading dialog";
}

}  // namespace
