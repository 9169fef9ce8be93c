// The galaxy's draw, the end of the game and the turn order.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "rules_fixture.h"

namespace {

using rules_test::at;
using rules_test::game_from_map;
using rules_test::ScriptedRandom;

// The n-th draw (from 0) decides the sector in column n / 10, row n % 10.
TEST(Galaxy, DrawnColumnByColumnOneValueModSixtyEach) {
    ScriptedRandom draws;
    for (int n = 0; n < MAP_CELLS; ++n) draws.values.push_back(59);
    draws.values[0] = 60;
    draws.values[11] = 121;
    draws.values[12] = 3;
    draws.values[13] = 4;
    Game game;
    new_game(game);
    generate_galaxy(game, draws.random());
    EXPECT_EQ(draws.draws, 120u);
    EXPECT_EQ(game.galaxy[at(0, 0)], SECTOR_BLACK_HOLE) << "60 % 60 is 0";
    EXPECT_EQ(game.galaxy[at(1, 1)], SECTOR_STAR) << "draw 11: 121 % 60 is 1";
    EXPECT_EQ(game.galaxy[at(2, 1)], SECTOR_STAR) << "draw 12: 3";
    EXPECT_EQ(game.galaxy[at(3, 1)], SECTOR_EMPTY) << "draw 13: 4 is open space";
    EXPECT_EQ(std::count(game.galaxy, game.galaxy + MAP_CELLS, SECTOR_EMPTY), MAP_CELLS - 3);
}

// The game being played draws its galaxy from rand().
TEST(Galaxy, DrawnFromRandModSixty) {
    for (const unsigned seed : {1u, 42u, 1997u}) {
        std::srand(seed);
        int values[MAP_CELLS];
        for (int &value : values) value = std::rand() % 60;
        std::srand(seed);
        Game game;
        new_game(game);
        generate_galaxy(game, c_library_random());
        for (int n = 0; n < MAP_CELLS; ++n) {
            const int pos = (n % map_height) * map_width + n / map_height;
            const char expected = values[n] == 0   ? SECTOR_BLACK_HOLE
                                  : values[n] <= 3 ? SECTOR_STAR
                                                   : SECTOR_EMPTY;
            EXPECT_EQ(game.galaxy[pos], expected) << "seed " << seed << ", draw " << n;
        }
    }
}

TEST(EndOfGame, CompaniesHoldingMoreThanFiftyThreePercentWithFourSectorsOpen) {
    const struct {
        int sizes[NUM_COMPANIES];
        int open;
        bool over;
        int remaining;
    } cases[] = {
        {{0, 0, 64}, 50, false, 1},  // 53.3%
        {{0, 0, 65}, 50, true, 0},   // 54.2%
        {{0, 0, 65}, 4, true, 0},
        {{0, 0, 65}, 3, false, 0},  // no room for the offers
        {{0, 0, 120 - 4}, 4, true, -51},
        {{64}, 4, false, 1},
        {{20, 0, 30, 0, 15}, 4, true, 0},  // the companies' sectors add up
        {{20, 0, 30, 0, 15}, 3, false, 0},
        {{40, 40}, 4, true, -15},
        {{}, 120, false, 65},
    };
    for (const auto &c : cases) {
        Game game = game_from_map({});
        for (int pos = 0; pos < MAP_CELLS - c.open; ++pos) game.galaxy[pos] = SECTOR_OUTPOST;
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].size = c.sizes[i];
        const std::string what =
            std::to_string(c.sizes[0] + c.sizes[1] + c.sizes[2] + c.sizes[3] + c.sizes[4]) + " sectors, " +
            std::to_string(c.open) + " open";
        EXPECT_EQ(game_over(game), c.over) << what;
        EXPECT_EQ(sectors_remaining(game), c.remaining) << what;
        EXPECT_EQ(count_occupied(game), MAP_CELLS - c.open) << what;
    }
}

TEST(EndOfGame, EverySectorThatIsNotOpenIsOccupied) {
    EXPECT_EQ(count_occupied(game_from_map({"*@+ABCDE", "", "", "", "", "", "", "", "", "...........@"})), 9);
    EXPECT_EQ(count_occupied(game_from_map(std::vector<std::string>(10, "++++++++++++"))), 120);
    EXPECT_EQ(count_occupied(game_from_map({})), 0);
}

TEST(Turns, PassInPlayerOrderAndWrap) {
    Game game = game_from_map({}, 3);
    game.current_player = 1;
    const int expected[] = {2, 0, 1, 2};
    for (const int next : expected) {
        end_turn(game);
        EXPECT_EQ(game.current_player, next);
    }
}

}  // namespace
