// The galaxy's draw, the offers, the end of the game and the turn order.
#include <algorithm>
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

TEST(Offers, FiveDistinctCandidatesFromTheCallersGenerator) {
    Game game = game_from_map({".@@@@@@@@@@@", ".@@@@@@@@@@@", "....@"});
    // 1 and 13 are black holes, 24 is taken once already, 12 is open.
    ScriptedRandom draws{{1, 0, 13, 24, 24, 120 + 12, 25, 26}};
    int offers[NUM_MOVES];
    ASSERT_EQ(draw_offers(game, draws.random(), offers), NUM_MOVES);
    EXPECT_EQ(std::vector<int>(offers, offers + NUM_MOVES), (std::vector<int>{0, 24, 12, 25, 26}));
    EXPECT_EQ(draws.draws, 8u);
}

TEST(Offers, FewerThanFiveCandidatesAreAllOfferedInMapOrderWithoutADraw) {
    std::vector<std::string> map(10, std::string(12, '@'));
    map[7][3] = map[2][9] = map[0][0] = '.';
    Game game = game_from_map(map);
    ScriptedRandom no_draws;
    int offers[NUM_MOVES];
    EXPECT_EQ(count_move_candidates(game), 3);
    ASSERT_EQ(draw_offers(game, no_draws.random(), offers), 3);
    EXPECT_EQ(std::vector<int>(offers, offers + 3), (std::vector<int>{at(0, 0), at(2, 9), at(7, 3)}));

    game.galaxy[at(0, 0)] = game.galaxy[at(2, 9)] = game.galaxy[at(7, 3)] = SECTOR_OUTPOST;
    EXPECT_EQ(draw_offers(game, no_draws.random(), offers), 0);
}

TEST(Offers, FoundingSitesAreNoCandidatesOnceEveryCompanyIsActive) {
    // Open: (0,5) beside a star founds; (5,5) beside nothing does not.
    std::vector<std::string> map(10, std::string(12, '@'));
    map[0][4] = '*';
    map[0][5] = map[5][5] = '.';
    map[9] = "ABCD@@@@@@@@";
    Game game = game_from_map(map);
    EXPECT_EQ(count_move_candidates(game), 2) << "company E is free";
    game.galaxy[at(9, 4)] = 'E';
    game.companies[4].size = 1;
    EXPECT_EQ(count_move_candidates(game), 1);
}

TEST(EndOfGame, CompaniesHoldingMoreThanFiftyThreePercentWithFourSectorsOpen) {
    const struct {
        int company_sectors;
        int open;
        bool over;
        int remaining;
    } cases[] = {
        {64, 50, false, 1},  // 53.3%
        {65, 50, true, 0},   // 54.2%
        {65, 4, true, 0},
        {65, 3, false, 0},  // no room for the offers
        {120 - 4, 4, true, -51},
    };
    for (const auto &c : cases) {
        Game game = game_from_map({});
        for (int pos = 0; pos < MAP_CELLS - c.open; ++pos) game.galaxy[pos] = SECTOR_OUTPOST;
        game.companies[2].size = c.company_sectors;
        EXPECT_EQ(game_over(game), c.over) << c.company_sectors << " sectors, " << c.open << " open";
        EXPECT_EQ(sectors_remaining(game), c.remaining);
        EXPECT_EQ(count_occupied(game), MAP_CELLS - c.open);
    }
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
