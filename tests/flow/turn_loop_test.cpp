// The end-of-game test and the count of occupied sectors.
#include <cstring>

#include "flow/flow.h"
#include "screens/screens.h"
#include "support/screen.h"

namespace {

using headless::CursesTest;

// Fills the galaxy with `open` empty sectors and outposts everywhere else.
void fill_galaxy(int open) {
    const int cells = map_width * map_height;
    std::memset(game.galaxy, SECTOR_OUTPOST, static_cast<std::size_t>(cells));
    std::memset(game.galaxy + cells - open, SECTOR_EMPTY, static_cast<std::size_t>(open));
}

TEST_F(CursesTest, GameEndsWhenCompaniesHoldOverFiftyThreePercentWithRoomLeft) {
    struct {
        int sizes[NUM_COMPANIES];
        int open;
        int over;
    } const cases[] = {
        {{64, 0, 0, 0, 0}, 50, 0},   // 64 * 100 / 120 is 53
        {{65, 0, 0, 0, 0}, 50, 1},   // 54
        {{20, 0, 30, 0, 15}, 4, 1},  // inactive companies add nothing
        {{20, 0, 30, 0, 15}, 3, 0},  // fewer than four open sectors
        {{64, 0, 0, 0, 0}, 4, 0},   {{40, 40, 0, 0, 0}, 4, 1}, {{0, 0, 0, 0, 0}, 120, 0},
    };
    for (const auto &c : cases) {
        fill_galaxy(c.open);
        for (int i = 0; i < NUM_COMPANIES; ++i) {
            game.companies[i].size = c.sizes[i];
            game.companies[i].price = c.sizes[i] == 0 ? 9999 : 100;
        }
        EXPECT_EQ(game_over(game), c.over)
            << c.sizes[0] << "+" << c.sizes[2] << "+" << c.sizes[4] << ", open " << c.open;
    }
}

TEST_F(CursesTest, CountOccupiedCountsEverySectorThatIsNotOpen) {
    load_galaxy({
        "*@+ABCDE....",
        "............",
        "............",
        "............",
        "............",
        "............",
        "............",
        "............",
        "............",
        "...........@",
    });
    EXPECT_EQ(count_occupied(game), 9);
    fill_galaxy(0);
    EXPECT_EQ(count_occupied(game), 120);
    fill_galaxy(120);
    EXPECT_EQ(count_occupied(game), 0);
}

TEST_F(CursesTest, TurnsPassInPlayerOrderUntilNoSectorIsLeft) {
    // Three open sectors among stars: each move founds the next company,
    // whose five shares show who moved; then nothing is left to offer.
    open_screen(25, 80, 1, 3);
    load_galaxy({
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
