// Founding sites and the move offers: which open sectors may be offered, and
// how five of them are drawn.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "rules_fixture.h"

namespace {

using rules_test::at;
using rules_test::game_from_map;
using rules_test::ScriptedRandom;

const std::vector<std::string> &mixed_map = map_fixture::MIXED_MAP;
const std::vector<std::string> &starry_map = map_fixture::STARRY_MAP;
const auto &starry_offers = map_fixture::STARRY_OFFERS;

TEST(FoundingSite, NeedsAStarOrOutpostAndNoCompanyAlongside) {
    const Game game = game_from_map(
        {".*...+.A..*.", "....*.......", "@.@.......*.", ".@....*.....", "...........*", "", "", "+", "*"});
    // clang-format off
    const struct {
        int pos;
        bool founding;
        const char *why;
    } cases[] = {
        {at(0, 0), true, "star to the east, map edge to the north and west"},
        {at(1, 1), true, "star to the north"},
        {at(0, 4), true, "outpost to the east, star to the south"},
        {at(7, 1), true, "an outpost to the west only"},
        {at(0, 9), true, "star to the east"},
        {at(0, 11), true, "star to the west, in the last column"},
        {at(0, 6), false, "outpost to the west but a company to the east"},
        {at(0, 8), false, "a company only"},
        {at(2, 1), false, "black holes and open space only"},
        {at(6, 6), false, "open space only"},
        {at(3, 6), false, "a star itself"},
        {at(5, 0), false, "the star ending the row above is no neighbour"},
        {at(7, 11), false, "the star opening the next row is no neighbour"},
    };
    // clang-format on
    for (const auto &c : cases) EXPECT_EQ(is_founding_site(game, c.pos), c.founding) << c.why;
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

// The offers as the game being played draws them: one rand() per candidate,
// kept when open, new and (with every company active) not a founding site.
std::vector<int> replay_draw(const Game &game, unsigned seed) {
    bool all_active = true;
    for (int i = 0; i < NUM_COMPANIES; ++i) all_active = all_active && game.companies[i].size != 0;
    std::vector<int> offers;
    std::srand(seed);
    while (offers.size() < NUM_MOVES) {
        const int pos = std::rand() % 120;
        bool taken = false;
        for (const int offer : offers) taken = taken || offer == pos;
        if (!taken && game.galaxy[pos] == SECTOR_EMPTY && !(all_active && is_founding_site(game, pos)))
            offers.push_back(pos);
    }
    return offers;
}

TEST(Offers, FiveDistinctOpenSectorsDrawnOneRandPerCandidate) {
    std::vector<std::string> all_five = mixed_map;
    all_five[6] = "C.........D.";
    all_five[8] = "....E.......";
    for (const auto &map : {mixed_map, all_five}) {
        const Game game = game_from_map(map);
        for (unsigned seed = 1; seed <= 60; ++seed) {
            const std::vector<int> expected = replay_draw(game, seed);
            const int next = std::rand();
            std::srand(seed);
            int offers[NUM_MOVES];
            ASSERT_EQ(draw_offers(game, c_library_random(), offers), NUM_MOVES);
            EXPECT_EQ(std::vector<int>(offers, offers + NUM_MOVES), expected) << "seed " << seed;
            EXPECT_EQ(std::rand(), next) << "seed " << seed;
            for (int k = 0; k < NUM_MOVES; ++k) {
                EXPECT_EQ(game.galaxy[offers[k]], SECTOR_EMPTY);
                for (int j = 0; j < k; ++j) EXPECT_NE(offers[j], offers[k]);
                if (map == all_five) {
                    EXPECT_FALSE(is_founding_site(game, offers[k])) << "pos " << offers[k];
                }
            }
        }
    }
}

TEST(Offers, ExactlyFiveCandidatesAreStillDrawnAtRandom) {
    // Black holes everywhere but five open sectors: all five are offered,
    // in an order the draw decides, not in map order.
    std::vector<std::string> map(10, std::string(12, '@'));
    const std::vector<int> open = {at(0, 3), at(2, 9), at(5, 0), at(7, 7), at(9, 11)};
    for (const int pos : open)
        map[static_cast<std::size_t>(pos / 12)][static_cast<std::size_t>(pos % 12)] = '.';
    const Game game = game_from_map(map);
    std::vector<std::vector<int>> orders;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        const int first_draw = std::rand();
        std::srand(seed);
        int offers[NUM_MOVES];
        ASSERT_EQ(draw_offers(game, c_library_random(), offers), NUM_MOVES);
        EXPECT_NE(std::rand(), first_draw) << "seed " << seed << ": the offers were not drawn from rand()";
        std::vector<int> order(offers, offers + NUM_MOVES);
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, open) << "seed " << seed;
        if (std::find(orders.begin(), orders.end(), order) == orders.end()) orders.push_back(order);
    }
    // A fixed order, map order or any other, would give one.
    EXPECT_GE(orders.size(), 5u) << "twenty seeds gave only " << orders.size()
                                 << " orders of the five offers";
}

TEST(Offers, FoundingSitesAreOfferedOnlyWhileACompanyIsFree) {
    // E inactive: the four founding sites join the three others, and five
    // of those seven always include a founding site.
    std::vector<std::string> map = starry_map;
    map[6][2] = '*';
    Game game = game_from_map(map);
    EXPECT_EQ(count_move_candidates(game), 7);
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        int offers[NUM_MOVES];
        ASSERT_EQ(draw_offers(game, c_library_random(), offers), NUM_MOVES);
        int founding = 0;
        for (const int pos : offers) founding += is_founding_site(game, pos) ? 1 : 0;
        EXPECT_GE(founding, 2) << "seed " << seed;
    }

    // All five active: only the three that are not founding sites remain,
    // offered in pos order without a random draw.
    game = game_from_map(starry_map);
    ScriptedRandom no_draws;
    int offers[NUM_MOVES];
    ASSERT_EQ(draw_offers(game, no_draws.random(), offers), 3);
    EXPECT_EQ(std::vector<int>(offers, offers + 3), std::vector<int>(starry_offers, starry_offers + 3));
}

}  // namespace
