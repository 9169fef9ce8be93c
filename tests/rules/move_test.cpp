// Moves on small games: what a claimed sector becomes, in events and in the
// game after it.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "rules_fixture.h"

namespace {

using rules_test::at;
using rules_test::events_text;
using rules_test::game_from_map;
using rules_test::map_text;
using rules_test::ScriptedRandom;

using Five = std::array<int, NUM_COMPANIES>;

// The shares that each record beyond the players holds in every company.
constexpr int IDLE_SHARES = 4;

struct MoveCase {
    const char *what;
    std::vector<std::string> before;
    Five prices;
    Five mover_shares, other_shares;
    int pos;
    const char *events;
    std::vector<std::string> after;
    Five sizes_after, prices_after;
    Five mover_after, other_after;
    int mover_cash, other_cash;
};

// clang-format off
const MoveCase move_cases[] = {
    {"a lone sector becomes an outpost",
     {}, {}, {}, {}, at(4, 4), "outpost",
     {"", "", "", "", "....+"}, {}, {}, {}, {}, 6000, 6000},
    {"a lone sector next to a black hole is lost",
     {"", "", "", "....@"}, {}, {}, {}, at(4, 4), "site lost",
     {"", "", "", "....@"}, {}, {}, {}, {}, 6000, 6000},
    {"a founding next to a star: $100 + $500, five shares to the founder",
     {"", "", "", "....*"}, {}, {}, {}, at(4, 4), "founded A",
     {"", "", "", "....*", "....A"}, {1}, {600}, {5}, {}, 6000, 6000},
    {"a founding next to an outpost takes it in",
     {"", "", "", "", "...+"}, {}, {}, {}, at(4, 4), "founded A",
     {"", "", "", "", "...AA"}, {2}, {200}, {5}, {}, 6000, 6000},
    {"a star and a black hole beside a founding cancel out",
     {"", "", "", "....*", "", "....@"}, {}, {}, {}, at(4, 4), "founded A",
     {"", "", "", "....*", "....A", "....@"}, {1}, {100}, {5}, {}, 6000, 6000},
    {"a black hole next to a founding with an outpost swallows it, outpost and all",
     {"", "", "", "", "...+.@"}, {}, {}, {}, at(4, 4), "founding of A swallowed",
     {"", "", "", "", ".....@"}, {}, {}, {}, {}, 6000, 6000},
    {"a founding takes the lowest free company",
     {"A.C", "", "", "....*"}, {100, 0, 100}, {1, 0, 2}, {}, at(4, 4), "founded B",
     {"A.C", "", "", "....*", "....B"}, {1, 1, 1}, {100, 600, 100}, {1, 5, 2}, {}, 6000, 6000},
    {"growth takes in every outpost beside the new sector",
     {"", "", "", "....A", "...+.+", "....+"}, {100}, {3}, {4}, at(4, 4), "grew A",
     {"", "", "", "....A", "...AAA", "....A"}, {5}, {500}, {3}, {4}, 6000, 6000},
    {"growth next to a black hole to $0 or below swallows the company with every share",
     {"....A", "...@"}, {300}, {3}, {4}, at(1, 4), "grew A; swallowed A",
     {"", "...@"}, {}, {}, {}, {}, 6000, 6000},
    {"growth beside a black hole to exactly $0 swallows the company",
     {"....A", "...@"}, {400}, {3}, {4}, at(1, 4), "grew A; swallowed A",
     {"", "...@"}, {}, {}, {}, {}, 6000, 6000},
    {"growth past $3000 splits, rounding the price up and doubling the holdings",
     {"....A"}, {2950}, {10}, {3}, at(1, 4), "grew A; split A",
     {"....A", "....A"}, {2}, {1525}, {20}, {6}, 6000, 6000},
    {"the larger company survives a merger; ten times the absorbed price is shared as bonuses",
     {"", "", "", "", "...A.BB"}, {300, 500}, {4}, {6}, at(4, 4), "merged A into B; grew B",
     {"", "", "", "", "...BBBB"}, {0, 4}, {300, 900}, {0, 2}, {0, 3}, 7200, 7800},
    {"equal sizes: the more valuable survives, and a merged price past $3000 splits",
     {"", "", "", "", "...A.B"}, {2000, 1200}, {5, 6}, {0, 1}, at(4, 4), "merged B into A; split A; grew A",
     {"", "", "", "", "...AAA"}, {3}, {1700, 1200}, {16}, {2}, 6000 + 10285, 6000 + 1714},
    {"first column: the star ending the row above is no neighbour",
     {"...........*"}, {}, {}, {}, at(1, 0), "outpost",
     {"...........*", "+"}, {}, {}, {}, {}, 6000, 6000},
    {"last column: the star opening the next row is no neighbour",
     {"", "", "*"}, {}, {}, {}, at(1, 11), "outpost",
     {"", "...........+", "*"}, {}, {}, {}, {}, 6000, 6000},
    {"a founding next to two stars: $100 + 2 x $500",
     {".....*", "......*"}, {}, {}, {}, at(1, 5), "founded A",
     {".....*", ".....A*"}, {1}, {1100}, {5}, {}, 6000, 6000},
    {"a founding site while all five companies are active becomes an outpost",
     {"A.B.C.D.E", "......*"}, {100, 100, 100, 100, 100}, {10, 10, 10, 10, 10}, {3, 3, 3, 3, 3}, at(1, 5), "outpost",
     {"A.B.C.D.E", ".....+*"}, {1, 1, 1, 1, 1}, {100, 100, 100, 100, 100}, {10, 10, 10, 10, 10}, {3, 3, 3, 3, 3},
     6000, 6000},
    {"growth to exactly $3000 does not split",
     {"", "....A"}, {2900}, {10}, {3}, at(1, 5), "grew A",
     {"", "....AA"}, {2}, {3000}, {10}, {3}, 6000, 6000},
    {"growth to $3001 splits to $1501",
     {".....*", "....A"}, {2401}, {10}, {3}, at(1, 5), "grew A; split A",
     {".....*", "....AA"}, {2}, {1501}, {20}, {6}, 6000, 6000},
    {"growth takes in the outposts beside the new sector only, not one beside them",
     {".....+", "....A.+", "....+"}, {500}, {10}, {3}, at(1, 5), "grew A",
     {".....A", "....AAA", "....+"}, {4}, {800}, {10}, {3}, 6000, 6000},
    {"a company swallowed by a black hole loses its sectors far away too; another stays",
     {"A", "....A.@", "", "", "", ".....B", "", "", "", "..........AA"}, {300, 700}, {10, 10}, {3, 3}, at(1, 5),
     "grew A; swallowed A",
     {"", "......@", "", "", "", ".....B"}, {0, 1}, {0, 700}, {0, 10}, {0, 3}, 6000, 6000},
    {"a company grown to $200 - $500 beside a black hole is swallowed; an outpost not beside the sector stays",
     {"....+A", "....@.A", ".B", "", "", "", "", "", "", "AA"}, {200, 700}, {1, 9}, {2, 9}, at(1, 5),
     "grew A; swallowed A",
     {"....+.", "....@", ".B"}, {0, 1}, {0, 700}, {0, 9}, {0, 9}, 6000, 6000},
    {"a founding beside an outpost and a black hole is swallowed; another company stays",
     {"", "...+.@", "", "", "", "", "", "", "", "..B"}, {0, 700}, {0, 9}, {0, 9}, at(1, 4),
     "founding of A swallowed",
     {"", ".....@", "", "", "", "", "", "", "", "..B"}, {0, 1}, {0, 700}, {0, 9}, {0, 9}, 6000, 6000},
    {"a lone sector beside a black hole is lost; the companies stay",
     {"....@", "", ".B", "", "", "", "", "", "", "AA"}, {200, 700}, {1, 9}, {2, 9}, at(1, 4), "site lost",
     {"....@", "", ".B", "", "", "", "", "", "", "AA"}, {2, 1}, {200, 700}, {1, 9}, {2, 9}, 6000, 6000},
    {"three companies: B takes A, and the west neighbour, now B, is not merged again; then B takes C",
     {".....A", "....A.CC", ".....B", ".....B", ".....B"}, {200, 300, 400}, {3, 0, 5}, {0, 2, 1}, at(1, 5),
     "merged A into B; merged C into B; grew B",
     {".....B", "....BBBB", ".....B", ".....B", ".....B"}, {0, 8}, {200, 1000, 400}, {0, 5}, {0, 3},
     6000 + 2000 + 3333, 6000 + 666},
    {"four companies: B takes A, D takes B, D takes C",
     {"", "", "", "", ".....A", "..CCC.DDDD", ".....B", ".....B"}, {100, 200, 300, 400}, {3}, {0, 0, 7},
     at(5, 5), "merged A into B; merged B into D; merged C into D; grew D",
     {"", "", "", "", ".....D", "..DDDDDDDD", ".....D", ".....D"}, {0, 0, 0, 11}, {100, 300, 300, 1100},
     {0, 0, 0, 1}, {0, 0, 0, 4}, 10000, 9000},
};
// clang-format on

class MoveOutcome : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveOutcome, EventsAndTheGameAfter) {
    const MoveCase &c = GetParam();
    Game game = game_from_map(c.before);
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        game.companies[i].price = c.prices[static_cast<std::size_t>(i)];
        game.players[0].holdings[i] = c.mover_shares[static_cast<std::size_t>(i)];
        game.players[1].holdings[i] = c.other_shares[static_cast<std::size_t>(i)];
        // Records beyond the two players are no players: nothing touches them.
        game.players[2].holdings[i] = game.players[3].holdings[i] = IDLE_SHARES;
    }
    ScriptedRandom no_draws;
    MoveReport report;
    do_move(game, c.pos, no_draws.random(), report);

    EXPECT_EQ(events_text(report), c.events);
    EXPECT_EQ(report.pos, c.pos);
    EXPECT_EQ(map_text(game), map_text(c.after));
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        const auto k = static_cast<std::size_t>(i);
        SCOPED_TRACE(std::string("company ") + company_letter(i));
        EXPECT_EQ(game.companies[i].size, c.sizes_after[k]);
        EXPECT_EQ(game.companies[i].price, c.prices_after[k]);
        EXPECT_EQ(game.players[0].holdings[i], c.mover_after[k]);
        EXPECT_EQ(game.players[1].holdings[i], c.other_after[k]);
        EXPECT_EQ(game.players[2].holdings[i], IDLE_SHARES);
        EXPECT_EQ(game.players[3].holdings[i], IDLE_SHARES);
    }
    EXPECT_EQ(game.players[0].cash, c.mover_cash);
    EXPECT_EQ(game.players[1].cash, c.other_cash);
    EXPECT_EQ(game.players[2].cash, STARTING_CASH);
    EXPECT_EQ(game.players[3].cash, STARTING_CASH);

    // Every change the report lists is in the game, and the last event's
    // panel is the game as it stands.
    for (int k = 0; k < report.change_count; ++k) {
        const SectorChange &change = report.changes[k];
        bool changed_later = false;
        for (int j = k + 1; j < report.change_count; ++j)
            changed_later |= report.changes[j].pos == change.pos;
        if (!changed_later) {
            EXPECT_EQ(game.galaxy[change.pos], change.symbol) << "pos " << int{change.pos};
        }
    }
    const Event &last = report.events[report.event_count - 1];
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        EXPECT_EQ(last.companies[i].size, game.companies[i].size);
        if (game.companies[i].size != 0) {
            EXPECT_EQ(last.companies[i].price, game.companies[i].price);
        }
        EXPECT_EQ(last.companies[i].holding, game.players[0].holdings[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MoveOutcome, ::testing::ValuesIn(move_cases),
                         [](const ::testing::TestParamInfo<MoveCase> &param) {
                             return "Case" + std::to_string(param.index);
                         });

TEST(Founding, NextFreeCompanyIsTheLowestInactive) {
    const struct {
        Five sizes;
        int expected;
    } cases[] = {
        {{0, 0, 0, 0, 0}, 0}, {{1, 0, 1, 0, 0}, 1},  {{0, 3, 0, 1, 1}, 0},
        {{2, 1, 1, 1, 0}, 4}, {{1, 1, 1, 1, 1}, -1},
    };
    for (const auto &c : cases) {
        Game game = game_from_map({});
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].size = c.sizes[static_cast<std::size_t>(i)];
        EXPECT_EQ(next_free_company(game), c.expected);
    }
}

// The exchange lines of a merger report each player's old and new shares,
// the new total and the bonus, as the stock table shows them.
TEST(Merger, ReportsEachPlayersExchange) {
    Game game = game_from_map({"", "", "", "", "...A.BB"}, 3);
    game.companies[0].price = 250;
    game.companies[1].price = 500;
    const int a_shares[3] = {3, 4, 0};
    const int b_shares[3] = {0, 1, 2};
    for (int p = 0; p < 3; ++p) {
        game.players[p].holdings[0] = a_shares[p];
        game.players[p].holdings[1] = b_shares[p];
    }
    game.players[3].holdings[0] = 40;  // no player: neither counted nor changed
    ScriptedRandom no_draws;
    MoveReport report;
    do_move(game, at(4, 4), no_draws.random(), report);

    ASSERT_EQ(events_text(report), "merged A into B; grew B");
    const Event &merger = report.events[0];
    struct Line {
        int old_shares, new_shares, total, bonus;
    };
    // 2500 shared over 7 shares; 1.5 and 3.5 shares round down, 2 stays.
    const Line expected[3] = {{3, 2, 2, 1071}, {4, 2, 3, 1428}, {0, 0, 2, 0}};
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE("player " + std::to_string(p));
        EXPECT_EQ(merger.exchange[p].old_shares, expected[p].old_shares);
        EXPECT_EQ(merger.exchange[p].new_shares, expected[p].new_shares);
        EXPECT_EQ(merger.exchange[p].total, expected[p].total);
        EXPECT_EQ(merger.exchange[p].bonus, expected[p].bonus);
        EXPECT_EQ(game.players[p].holdings[1], expected[p].total);
        EXPECT_EQ(game.players[p].cash, STARTING_CASH + expected[p].bonus);
    }
    EXPECT_EQ(game.players[3].holdings[0], 40);
    EXPECT_EQ(game.players[3].cash, STARTING_CASH);
}

// Companies of equal size and equal worth: the low bit of one draw from the
// caller's generator decides, 1 for the company that comes second in the
// pair (here B, east of the sector, after A to the west).
TEST(Merger, FullTieIsDrawnFromTheCallersGenerator) {
    const struct {
        int draw;
        const char *events;
    } cases[] = {
        {0, "merged B into A; grew A"},
        {1, "merged A into B; grew B"},
        {2, "merged B into A; grew A"},
        {0x7ffffffd, "merged A into B; grew B"},
    };
    for (const auto &c : cases) {
        Game game = game_from_map({"", "", "", "", "...A.B"});
        game.companies[0].price = 300;
        game.companies[1].price = 150;
        game.players[0].holdings[0] = 10;  // 10 at $300 and 20 at $150 are worth the same
        game.players[1].holdings[1] = 20;
        ScriptedRandom one_draw{{c.draw}};
        MoveReport report;
        do_move(game, at(4, 4), one_draw.random(), report);
        EXPECT_EQ(events_text(report), c.events) << "draw " << c.draw;
        EXPECT_EQ(one_draw.draws, 1u);
    }
}

// Three or four companies around the claimed sector, in every arrangement
// and every order of sizes (powers of two, so no two groups tie): they merge
// pair by pair, the larger group surviving each merger, until one holds
// every sector; each of the others is absorbed once, and the sector joins it.
TEST(Merger, EveryArrangementOfThreeAndFourCompaniesMergesIntoOne) {
    const int slots[4] = {at(3, 5), at(5, 5), at(4, 4), at(4, 6)};  // N, S, W, E of (4, 5)
    // Spare sectors far from the claimed one, to give the companies their sizes.
    const int spare[] = {at(0, 0), at(0, 2), at(0, 4), at(0, 6), at(0, 8), at(0, 10),
                         at(9, 0), at(9, 2), at(9, 4), at(9, 6), at(9, 8), at(9, 10)};
    int arrangements = 0;
    for (const int companies : {3, 4}) {
        // `letters[s]` is the company in slot s, or -1.
        std::array<int, 4> letters = {0, 1, 2, companies == 4 ? 3 : -1};
        std::sort(letters.begin(), letters.end());
        do {
            std::array<int, 4> sizes = {1, 2, 4, 8};
            do {
                Game game = game_from_map({});
                std::size_t next_spare = 0;
                int total = 0;
                for (int s = 0; s < 4; ++s) {
                    const int company = letters[static_cast<std::size_t>(s)];
                    if (company < 0) continue;
                    game.galaxy[slots[s]] = company_letter(company);
                    const int size = sizes[static_cast<std::size_t>(company)];
                    for (int k = 1; k < size; ++k) game.galaxy[spare[next_spare++]] = company_letter(company);
                    game.companies[company].size = size;
                    game.companies[company].price = 100;
                    total += size;
                }
                Five group{};
                for (int company = 0; company < NUM_COMPANIES; ++company) {
                    group[static_cast<std::size_t>(company)] = game.companies[company].size;
                }
                ScriptedRandom no_draws;
                MoveReport report;
                do_move(game, at(4, 5), no_draws.random(), report);
                ++arrangements;

                SCOPED_TRACE(events_text(report));
                ASSERT_EQ(report.event_count, companies);
                int absorbed = 0;
                for (int e = 0; e + 1 < report.event_count; ++e) {
                    const Event &merger = report.events[e];
                    ASSERT_EQ(merger.kind, EventKind::MERGED);
                    auto &kept = group[static_cast<std::size_t>(merger.company)];
                    auto &gone = group[static_cast<std::size_t>(merger.absorbed)];
                    EXPECT_GT(kept, gone) << "the larger group survives";
                    kept += gone;
                    gone = 0;
                    absorbed |= 1 << merger.absorbed;
                }
                const Event &last = report.events[companies - 1];
                EXPECT_EQ(last.kind, EventKind::GREW);
                EXPECT_EQ(absorbed, ((1 << companies) - 1) & ~(1 << last.company))
                    << "each other absorbed once";
                EXPECT_EQ(game.companies[last.company].size, total + 1);
                for (int pos = 0; pos < MAP_CELLS; ++pos) {
                    if (is_company_letter(game.galaxy[pos])) {
                        EXPECT_EQ(game.galaxy[pos], company_letter(last.company));
                    }
                }
            } while (std::next_permutation(sizes.begin(), sizes.begin() + companies));
        } while (std::next_permutation(letters.begin(), letters.end()));
    }
    EXPECT_EQ(arrangements, 24 * 6 + 24 * 24);
}

// The pairs of neighbours merge in a fixed order: north and south, north and
// east, north and west, west and east, east and south, west and south. Which
// pair merges first decides which company outgrows the others, and so the
// survivor and who is paid the bonuses. Companies A to D are priced $300,
// $500, $700 and $900; the mover holds 4 A, 6 C and 1 D, the other player
// 2 A, 5 B and 3 D. The claimed sector is (4, 5).
struct MergerOrderCase {
    const char *what;
    std::vector<std::string> map;
    const char *events;
    int survivor_holdings[2];  // of the mover and the other player
    int mover_cash, other_cash;
};

// clang-format off
const MergerOrderCase merger_order_cases[] = {
    {"north and south merge first: A (3) takes B (2), then C (4)",
     {"AA....CCC", "", "", ".....A", "......C", ".....B", "", "", "", "B"},
     "merged B into A; merged C into A; grew A", {7, 5}, 6000 + 7000, 6000 + 5000},
    {"north and east merge before north and west: C (3) takes A (2), then B (4)",
     {"A...BBB...CC", "", "", ".....A", "....B.C"},
     "merged A into C; merged B into C; grew C", {8, 4}, 6000 + 2000, 6000 + 1000 + 5000},
    {"without a company to the north, west and east merge first: C (3) takes B (2), then A (4)",
     {"AAA...B..CC", "", "", "", "....B.C", ".....A"},
     "merged B into C; merged A into C; grew C", {8, 4}, 6000 + 2000, 6000 + 5000 + 1000},
    {"four companies: A (3) takes B (2) before D (4) can take A, then C (1)",
     {"AA....DDD", "", "", ".....A", "....C.D", ".....B", "", "", "", "B"},
     "merged B into A; merged D into A; merged C into A; grew A", {8, 7}, 6000 + 2250 + 7000,
     6000 + 5000 + 6750},
};
// clang-format on

class MergerOrder : public ::testing::TestWithParam<MergerOrderCase> {};

TEST_P(MergerOrder, DecidesTheSurvivorAndTheBonuses) {
    const MergerOrderCase &c = GetParam();
    Game game = game_from_map(c.map);
    const Five prices = {300, 500, 700, 900};
    const Five mover = {4, 0, 6, 1};
    const Five other = {2, 5, 0, 3};
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        const auto k = static_cast<std::size_t>(i);
        game.companies[i].price = prices[k];
        game.players[0].holdings[i] = mover[k];
        game.players[1].holdings[i] = other[k];
    }
    ScriptedRandom no_draws;
    MoveReport report;
    do_move(game, at(4, 5), no_draws.random(), report);

    EXPECT_EQ(events_text(report), c.events);
    const int survivor = report.events[report.event_count - 1].company;
    EXPECT_EQ(game.players[0].holdings[survivor], c.survivor_holdings[0]);
    EXPECT_EQ(game.players[1].holdings[survivor], c.survivor_holdings[1]);
    EXPECT_EQ(game.players[0].cash, c.mover_cash);
    EXPECT_EQ(game.players[1].cash, c.other_cash);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergerOrder, ::testing::ValuesIn(merger_order_cases),
                         [](const ::testing::TestParamInfo<MergerOrderCase> &param) {
                             return "Case" + std::to_string(param.index);
                         });

// When the group merged so far ties the company to the west in size and in
// worth, the draw picks between the pair as the order names it: north (the
// group) first, west second, for north and west comes before west and east.
TEST(Merger, OrderNamesNorthBeforeWestInAFullTie) {
    const struct {
        int draw;
        const char *events;
        int mover_cash, other_cash;
    } cases[] = {
        {0, "merged B into A; merged C into A; merged D into A; grew A", 6000, 6000 + 6000},
        {1, "merged B into A; merged C into A; merged A into D; grew D", 6000 + 6000, 6000},
    };
    for (const auto &c : cases) {
        // A (2) takes B (1) and C (1) by size; then the four sectors of A, at
        // $100 + $200 + $300, meet the four of D at $600, each held twice.
        Game game = game_from_map({"A....DDD", "", "", ".....A", "....D.C", ".....B"});
        const Five prices = {100, 200, 300, 600};
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].price = prices[static_cast<std::size_t>(i)];
        game.players[0].holdings[0] = 2;
        game.players[1].holdings[3] = 2;
        ScriptedRandom one_draw{{c.draw}};
        MoveReport report;
        do_move(game, at(4, 5), one_draw.random(), report);
        EXPECT_EQ(events_text(report), c.events) << "draw " << c.draw;
        EXPECT_EQ(one_draw.draws, 1u);
        EXPECT_EQ(game.players[0].cash, c.mover_cash) << "draw " << c.draw;
        EXPECT_EQ(game.players[1].cash, c.other_cash) << "draw " << c.draw;
    }
}

// A copy played forward leaves the game it came from as it was, and the same
// game with the same draws gives the same game and the same report.
TEST(GameValue, CopiesPlayOnTheirOwn) {
    Game game = game_from_map({"", "", "", "", "...A.B", "", "", "..*"});
    game.companies[0].price = 300;
    game.companies[1].price = 300;
    const Game before = game;
    Game first = game;
    Game second = game;
    ScriptedRandom draws_a{{5}};
    ScriptedRandom draws_b{{5}};
    MoveReport report_a;
    MoveReport report_b;
    do_move(first, at(4, 4), draws_a.random(), report_a);
    do_move(second, at(4, 4), draws_b.random(), report_b);
    EXPECT_EQ(game, before);
    EXPECT_NE(first, before);
    EXPECT_EQ(first, second);
    EXPECT_EQ(events_text(report_a), events_text(report_b));
    EXPECT_EQ(report_a.change_count, report_b.change_count);
}

}  // namespace
