// Mergers of two companies: the survivor, the relabelled map, the exchange
// of stock with its bonuses, a split of the survivor, and all of it at the
// top of the int range.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "rules_fixture.h"

namespace {

using rules_test::at;
using rules_test::events_text;
using rules_test::game_from_map;
using rules_test::ScriptedRandom;

// Company A on five sectors here and there, B on `b_size` (3 or 5).
std::vector<std::string> two_companies(int b_size) {
    return {"A..........A", "", "....BBB", "", "A.A", "", b_size == 5 ? ".BB" : "", "", "", "...........A"};
}

// Merges A and B as a sector between them does, `first` first in the pair:
// returns the survivor.
int merge_pair(Game &game, int first, int second, Random random, MoveReport &report) {
    const int survivor = choose_survivor(game, first, second, random);
    report.event_count = 0;
    report.change_count = 0;
    merge(game, survivor, survivor == first ? second : first, report);
    return survivor;
}

TEST(Merger, SurvivorIsTheLargerThenTheMoreValuableCompany) {
    const struct {
        const char *what;
        int b_size;
        int a_price, b_price;
        int a_shares[3], b_shares[3];  // players 0 and 1 play; record 2 does not
        char survivor;
    } cases[] = {
        {"A is larger, whatever B's shares are worth", 3, 100, 2000, {0, 0, 0}, {50, 50, 0}, 'A'},
        {"equal sizes: B's 20 shares at 300 beat A's 10 at 500", 5, 500, 300, {4, 6, 0}, {20, 0, 0}, 'B'},
        {"equal sizes: A's 10 shares at 700 beat B's 20 at 300", 5, 700, 300, {10, 0, 0}, {0, 20, 0}, 'A'},
        {"only players in the game count", 5, 500, 300, {10, 0, 1000}, {0, 20, 0}, 'B'},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Game game = game_from_map(two_companies(c.b_size));
        game.companies[0].price = c.a_price;
        game.companies[1].price = c.b_price;
        for (int k = 0; k < 3; ++k) {
            game.players[k].holdings[0] = c.a_shares[k];
            game.players[k].holdings[1] = c.b_shares[k];
        }
        const int a_size = game.companies[0].size;
        const int b_size = game.companies[1].size;
        const int survivor = c.survivor - 'A';
        const int absorbed = 1 - survivor;
        const int absorbed_price = game.companies[absorbed].price;
        ScriptedRandom no_draws;
        MoveReport report;

        EXPECT_EQ(merge_pair(game, 0, 1, no_draws.random(), report), survivor);

        EXPECT_EQ(game.companies[survivor].size, a_size + b_size);
        EXPECT_EQ(game.companies[survivor].price, c.a_price + c.b_price);
        EXPECT_EQ(game.companies[absorbed].size, 0);
        EXPECT_EQ(game.companies[absorbed].price, absorbed_price);
        for (int pos = 0; pos < MAP_CELLS; ++pos)
            EXPECT_NE(game.galaxy[pos], 'A' + absorbed) << "pos " << pos;
        EXPECT_EQ(game.galaxy[at(9, 11)], c.survivor) << "sectors far away are relabelled too";
        EXPECT_EQ(game.galaxy[at(2, 4)], c.survivor);
    }
}

// The game being played draws from rand(): a full tie takes exactly one
// value, and its low bit decides (1 for the second of the pair).
TEST(Merger, FullTieIsDecidedByTheLowBitOfOneRand) {
    bool seen[2] = {false, false};
    for (unsigned seed = 1; seed <= 8; ++seed) {
        for (const bool with_shares : {false, true}) {
            Game game = game_from_map(two_companies(5));
            game.companies[0].price = 300;
            game.companies[1].price = 150;
            if (with_shares) {  // 10 at 300 and 20 at 150 are worth the same
                game.players[0].holdings[0] = 10;
                game.players[1].holdings[1] = 20;
            }
            std::srand(seed);
            const int draw = std::rand();
            const int next = std::rand();
            seen[draw & 1] = true;
            std::srand(seed);
            MoveReport report;

            EXPECT_EQ(merge_pair(game, 0, 1, c_library_random(), report), draw & 1) << "seed " << seed;
            EXPECT_EQ(std::rand(), next) << "exactly one rand() call, seed " << seed;
        }
    }
    EXPECT_TRUE(seen[0] && seen[1]) << "the seeds should cover both bits";
}

// B's shares are exchanged two for one, an odd one rounded up, and ten times
// B's price is shared out in proportion to them; a record beyond the players
// is neither counted nor changed.
TEST(Merger, ExchangeHalvesSharesAndPaysBonuses) {
    const struct {
        const char *what;
        int players;
        int price;               // of the absorbed company B
        int old_shares[3];       // of B
        int survivor_shares[3];  // of A before
        int new_shares[3];
        int bonus[3];
    } cases[] = {
        {"$400 with 10 and 30 shares", 2, 400, {10, 30}, {2, 0}, {5, 15}, {1000, 3000}},
        {"$250 with 3 and 4 shares", 2, 250, {3, 4}, {0, 1}, {2, 2}, {1071, 1428}},
        {"a player with no shares", 3, 300, {0, 5, 1}, {4, 0, 0}, {0, 3, 1}, {0, 2500, 500}},
        {"nobody holds shares", 2, 900, {0, 0}, {6, 1}, {0, 0}, {0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Game game = game_from_map({"AB"}, c.players);
        game.companies[1].price = c.price;
        for (int k = 0; k < c.players; ++k) {
            game.players[k].holdings[1] = c.old_shares[k];
            game.players[k].holdings[0] = c.survivor_shares[k];
        }
        game.players[3].holdings[1] = 40;
        MoveReport report{};

        merge(game, 0, 1, report);

        ASSERT_EQ(events_text(report), "merged B into A");
        for (int k = 0; k < c.players; ++k) {
            const ShareExchange &line = report.events[0].exchange[k];
            EXPECT_EQ(line.old_shares, c.old_shares[k]);
            EXPECT_EQ(line.new_shares, c.new_shares[k]);
            EXPECT_EQ(line.total, c.survivor_shares[k] + c.new_shares[k]);
            EXPECT_EQ(line.bonus, c.bonus[k]);
            EXPECT_EQ(game.players[k].holdings[0], c.survivor_shares[k] + c.new_shares[k]);
            EXPECT_EQ(game.players[k].holdings[1], 0);
            EXPECT_EQ(game.players[k].cash, STARTING_CASH + c.bonus[k]);
        }
        EXPECT_EQ(game.players[3].holdings[1], 40);
        EXPECT_EQ(game.players[3].cash, STARTING_CASH);
    }
}

// A survivor whose summed price passes $3000 splits after the exchange.
TEST(Merger, SurvivorAbove3000SplitsAfterTheExchange) {
    const struct {
        int a_price, b_price;
        const char *events;
        int price_after;
        int holdings_after[2];  // of A
    } cases[] = {
        {2000,
         1200,
         "merged B into A; split A",
         1600,
         {14, 2}},  // 4 + 6/2, then doubled; 0 + (1+1)/2, doubled
        {1800, 1200, "merged B into A", 3000, {7, 1}},
    };
    for (const auto &c : cases) {
        Game game = game_from_map(two_companies(3));
        game.companies[0].price = c.a_price;
        game.companies[1].price = c.b_price;
        game.players[0].holdings[0] = 4;
        game.players[0].holdings[1] = 6;
        game.players[1].holdings[1] = 1;
        ScriptedRandom no_draws;
        MoveReport report;

        EXPECT_EQ(merge_pair(game, 1, 0, no_draws.random(), report), 0);

        EXPECT_EQ(events_text(report), c.events);
        EXPECT_EQ(game.companies[0].price, c.price_after);
        EXPECT_EQ(game.players[0].holdings[0], c.holdings_after[0]);
        EXPECT_EQ(game.players[1].holdings[0], c.holdings_after[1]);
        EXPECT_EQ(game.players[0].holdings[1], 0);
    }
}

TEST(Merger, BonusesFarBeyondPlayClampInsteadOfWrapping) {
    // Ten times the price times the shares exceeds 64 bits here.
    Game game = game_from_map({"AB"});
    game.companies[1].price = INT_MAX;
    game.players[0].holdings[1] = INT_MAX;
    game.players[1].holdings[1] = 1;
    game.players[0].cash = 0;
    game.players[1].cash = 0;
    MoveReport report{};
    merge(game, 0, 1, report);
    EXPECT_EQ(game.players[0].cash, INT_MAX);
    EXPECT_EQ(game.players[1].cash, 9) << "10 x INT_MAX / (INT_MAX + 1), truncated";
    // The exchange gives 1073741824 shares; the summed price passes 3000, and
    // the split doubles them to the top of the int range.
    EXPECT_EQ(game.players[0].holdings[0], INT_MAX);
}

// Two companies of one size, every share worth the most: the survivor is
// chosen on market values beyond 2^63 (a tie, so one draw decides), the
// bonus of ten times the price is shared out exactly, and the merged price
// splits.
TEST(Merger, AtTheTopClampsHoldingsCashAndPrice) {
    for (const int draw : {0, 1}) {
        Game game = game_from_map({"AB"}, 4);
        for (int i = 0; i < 2; ++i) game.companies[i].price = INT_MAX;
        for (int p = 0; p < 4; ++p) {
            game.players[p].holdings[0] = INT_MAX;
            game.players[p].holdings[1] = INT_MAX;
            game.players[p].cash = 1000;
        }
        ScriptedRandom one_draw{{draw}};
        MoveReport report;

        const int survivor = merge_pair(game, 0, 1, one_draw.random(), report);

        EXPECT_EQ(survivor, draw);
        const int absorbed = 1 - survivor;
        EXPECT_EQ(game.companies[absorbed].size, 0);
        EXPECT_EQ(game.companies[survivor].size, 2);
        // The summed price clamps to INT_MAX, then the split halves it.
        EXPECT_EQ(game.companies[survivor].price, 1073741824);
        for (int p = 0; p < 4; ++p) {
            EXPECT_EQ(game.players[p].holdings[survivor], INT_MAX) << p;
            EXPECT_EQ(game.players[p].holdings[absorbed], 0) << p;
            // Each of the four equal holders gets a quarter of 10 x INT_MAX,
            // more than an int holds.
            EXPECT_EQ(game.players[p].cash, INT_MAX) << p;
        }
    }
}

// A bonus below the int range stays exact even when its product does not
// fit in 64 bits: 10 x price x shares / all shares.
TEST(Merger, BonusIsExactBeyondSixtyFourBitProducts) {
    Game game = game_from_map({"AAB"});
    game.companies[0].price = 100;
    game.companies[1].price = INT_MAX - 1;
    game.players[0].holdings[1] = INT_MAX;
    game.players[1].holdings[1] = 3;
    game.players[0].cash = 0;
    game.players[1].cash = 0;
    ScriptedRandom no_draws;
    MoveReport report;
    EXPECT_EQ(merge_pair(game, 0, 1, no_draws.random(), report), 0);
    const std::int64_t price = INT_MAX - 1;
    const std::int64_t held = std::int64_t{INT_MAX} + 3;
    // Player 1: 10 x (2^31 - 2) x 3 / (2^31 + 2), well inside 64 bits.
    EXPECT_EQ(game.players[1].cash, 10 * price * 3 / held);
    // Player 0's share passes the int range and clamps.
    EXPECT_EQ(game.players[0].cash, INT_MAX);
}

}  // namespace
