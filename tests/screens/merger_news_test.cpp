// Mergers: the survivor, the relabelled map, the exchange of stock with its
// bonuses, splits of the survivor, and chains of mergers around one sector.
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "galaxy_fixture.h"
#include "flow/flow.h"

namespace {

using galaxy_test::at;
using galaxy_test::full_map;
using galaxy_test::GalaxyTest;
using galaxy_test::map_text;
using headless::Area;

using Five = std::array<int, NUM_COMPANIES>;

// Merges two companies as a sector between them does: the rules choose the
// survivor (drawing from rand() on a full tie) and merge, and the screens
// show the announcement and the exchange. Returns the survivor.
int merge_pair(int first, int second) {
    const int survivor = choose_survivor(game, first, second, c_library_random());
    MoveReport report{};
    merge(game, survivor, survivor == first ? second : first, report);
    show_move(report);
    return survivor;
}

// Company A on five sectors here and there, B on `b_size` (3 or 5).
std::vector<std::string> two_companies(int b_size) {
    return {"A..........A", "", "....BBB", "", "A.A", "", b_size == 5 ? ".BB" : "", "", "", "...........A"};
}

TEST_F(GalaxyTest, SurvivorIsTheLargerThenTheMoreValuableCompany) {
    // clang-format off
    struct {
        const char *what;
        int b_size;
        int a_price, b_price;
        int a_shares[3], b_shares[3];  // players 0 and 1 play; player 2 does not
        char survivor;
    } const cases[] = {
        {"A is larger, whatever B's shares are worth", 3, 100, 2000, {0, 0, 0}, {50, 50, 0}, 'A'},
        {"equal sizes: B's 20 shares at 300 beat A's 10 at 500", 5, 500, 300, {4, 6, 0}, {20, 0, 0}, 'B'},
        {"equal sizes: A's 10 shares at 700 beat B's 20 at 300", 5, 700, 300, {10, 0, 0}, {0, 20, 0}, 'A'},
        {"only players in the game count", 5, 500, 300, {10, 0, 1000}, {0, 20, 0}, 'B'},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, 80, 1);
        load_map(two_companies(c.b_size));
        draw_map();
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
        type_waits(2);

        EXPECT_EQ(merge_pair(0, 1), survivor);

        EXPECT_EQ(keys_left(), "");
        EXPECT_EQ(game.companies[survivor].size, a_size + b_size);
        EXPECT_EQ(game.companies[survivor].price, c.a_price + c.b_price);
        EXPECT_EQ(game.companies[absorbed].size, 0);
        EXPECT_EQ(game.companies[absorbed].price, absorbed_price);
        for (int pos = 0; pos < 120; ++pos) EXPECT_NE(game.galaxy[pos], 'A' + absorbed) << "pos " << pos;
        EXPECT_EQ(game.galaxy[at(9, 11)], c.survivor) << "sectors far away are relabelled too";
        EXPECT_EQ(game.galaxy[at(2, 4)], c.survivor);
        expect_map_shows_galaxy();
    }
}

TEST_F(GalaxyTest, FullTieIsDecidedByTheLowBitOfOneRand) {
    bool seen[2] = {false, false};
    for (unsigned seed = 1; seed <= 8; ++seed) {
        for (const bool with_shares : {false, true}) {
            open_screen(25, 80, 1);
            load_map(two_companies(5));
            game.companies[0].price = 300;
            game.companies[1].price = 150;
            if (with_shares) {  // 10 at 300 and 20 at 150 are worth the same
                game.players[0].holdings[0] = 10;
                game.players[1].holdings[1] = 20;
            }
            std::srand(seed);
            const int draw = std::rand();
            const int next = std::rand();
            const char survivor = (draw & 1) != 0 ? 'B' : 'A';
            seen[draw & 1] = true;
            type_waits(2);
            std::srand(seed);

            EXPECT_EQ(merge_pair(0, 1), survivor - 'A') << "seed " << seed;
            EXPECT_EQ(std::rand(), next) << "exactly one rand() call, seed " << seed;
            EXPECT_EQ(keys_left(), "");
        }
    }
    EXPECT_TRUE(seen[0] && seen[1]) << "the seeds should cover both bits";
}

// The colour scheme's attributes: border, title, table header, bold.
const headless::Styles COLOUR = {{'/', pair_attr(PAIR_BLUE)},
                                 {'!', A_BOLD | A_BLINK | pair_attr(PAIR_WHITE_ON_BLUE)},
                                 {'t', A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE)},
                                 {'h', A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE)},
                                 {'b', A_BOLD}};

TEST_F(GalaxyTest, MergerAnnouncementNamesBothCompanies) {
    type_waits(1);
    announce_merger(0, 1);
    EXPECT_TRUE(headless::expect_window(general_window, R"(
{/:┌//////////////////////////}{!: Special Announcement! }{/:///////////////////////////┐}
{/:|}                                                                            {/:|}
{/:|}                             {b:Beetlejuice, Ltd.}                              {/:|}
{/:|}                         has just been merged into                          {/:|}
{/:|}                              {b:Altair Starways}                               {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                        Press any key to continue...                        {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:└////////////////////////////////////////////////////////////////////////////┘}
)",
                                        COLOUR));
    EXPECT_EQ(keys_left(), "");
}

TEST_F(GalaxyTest, StockExchangeHalvesSharesAndPaysBonuses) {
    // clang-format off
    struct {
        const char *what;
        int players;
        int price;               // of the absorbed company B
        int old_shares[3];       // of B
        int survivor_shares[3];  // of A before
        int new_shares[3];
        int bonus[3];
        const char *picture;
    } const cases[] = {
        {"$400 with 10 and 30 shares", 2, 400, {10, 30}, {2, 0}, {5, 15}, {1000, 3000}, R"(
{/:┌////////////////////////////}{t: Stock Transactions }{/:////////////////////////////┐}
{/:|}                             {b:Beetlejuice, Ltd.}                              {/:|}
{/:|}   {h:=Player===============Old Stock===New Stock===Total Holdings===Bonus=}    {/:|}
{/:|}   {b: Player1                }10          5             7            {b:$1000 }    {/:|}
{/:|}   {b: Player2                }30          15           15            {b:$3000 }    {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                        Press any key to continue...                        {/:|}
{/:|}                                                                            {/:|}
{/:└////////////////////////////////////////////////////////////////////////////┘}
)"},
        {"$250 with 3 and 4 shares", 2, 250, {3, 4}, {0, 1}, {2, 2}, {1071, 1428}, R"(
{/:┌////////////////////////////}{t: Stock Transactions }{/:////////////////////////////┐}
{/:|}                             {b:Beetlejuice, Ltd.}                              {/:|}
{/:|}   {h:=Player===============Old Stock===New Stock===Total Holdings===Bonus=}    {/:|}
{/:|}   {b: Player1                }3           2             2            {b:$1071 }    {/:|}
{/:|}   {b: Player2                }4           2             3            {b:$1428 }    {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                        Press any key to continue...                        {/:|}
{/:|}                                                                            {/:|}
{/:└////////////////////////////////////////////////////////////////////////////┘}
)"},
        {"a player with no shares", 3, 300, {0, 5, 1}, {4, 0, 0}, {0, 3, 1}, {0, 2500, 500}, R"(
{/:┌////////////////////////////}{t: Stock Transactions }{/:////////////////////////////┐}
{/:|}                             {b:Beetlejuice, Ltd.}                              {/:|}
{/:|}   {h:=Player===============Old Stock===New Stock===Total Holdings===Bonus=}    {/:|}
{/:|}   {b: Player1                }0           0             4            {b:$0    }    {/:|}
{/:|}   {b: Player2                }5           3             3            {b:$2500 }    {/:|}
{/:|}   {b: Player3                }1           1             1            {b:$500  }    {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                        Press any key to continue...                        {/:|}
{/:|}                                                                            {/:|}
{/:└////////////////////////////////////////////////////////////////////////////┘}
)"},
        {"nobody holds shares", 2, 900, {0, 0}, {6, 1}, {0, 0}, {0, 0}, R"(
{/:┌////////////////////////////}{t: Stock Transactions }{/:////////////////////////////┐}
{/:|}                             {b:Beetlejuice, Ltd.}                              {/:|}
{/:|}   {h:=Player===============Old Stock===New Stock===Total Holdings===Bonus=}    {/:|}
{/:|}   {b: Player1                }0           0             6            {b:$0    }    {/:|}
{/:|}   {b: Player2                }0           0             1            {b:$0    }    {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                        Press any key to continue...                        {/:|}
{/:|}                                                                            {/:|}
{/:└////////////////////////////////////////////////////////////////////////////┘}
)"},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, 80, 1, c.players);
        game.companies[1].price = c.price;
        for (int k = 0; k < c.players; ++k) {
            game.players[k].holdings[1] = c.old_shares[k];
            game.players[k].holdings[0] = c.survivor_shares[k];
        }
        game.players[3].holdings[1] = 40;  // not in the game: neither counted nor changed
        type_waits(1);

        headless::merge_and_show_exchange(0, 1);

        EXPECT_EQ(keys_left(), "");
        EXPECT_TRUE(headless::expect_window(general_window, c.picture, COLOUR));
        for (int k = 0; k < c.players; ++k) {
            EXPECT_EQ(game.players[k].holdings[0], c.survivor_shares[k] + c.new_shares[k]);
            EXPECT_EQ(game.players[k].holdings[1], 0);
            EXPECT_EQ(game.players[k].cash, STARTING_CASH + c.bonus[k]);
        }
        EXPECT_EQ(game.players[3].holdings[1], 40);
        EXPECT_EQ(game.players[3].cash, STARTING_CASH);
    }
}

TEST_F(GalaxyTest, BonusesFarBeyondPlayClampInsteadOfWrapping) {
    // Ten times the price times the shares exceeds 64 bits here.
    game.companies[1].price = INT_MAX;
    game.players[0].holdings[1] = INT_MAX;
    game.players[1].holdings[1] = 1;
    game.players[0].cash = 0;
    game.players[1].cash = 0;
    type_waits(1);
    headless::merge_and_show_exchange(0, 1);
    EXPECT_EQ(game.players[0].cash, INT_MAX);
    EXPECT_EQ(game.players[1].cash, 9) << "10 x INT_MAX / (INT_MAX + 1), truncated";
    // The exchange gives 1073741824 shares; the summed price passes 3000, and
    // the split doubles them to the top of the int range.
    EXPECT_EQ(game.players[0].holdings[0], INT_MAX);
}

TEST_F(GalaxyTest, StockTableRowHasItsFixedLayout) {
    game.players[0].holdings[1] = 10;
    game.players[1].holdings[1] = 30;
    game.players[0].holdings[0] = 2;
    game.companies[1].price = 400;
    type_waits(1);
    headless::merge_and_show_exchange(0, 1);
    // The absorbed company stands above the table.
    EXPECT_TRUE(headless::expect_window(general_window, R"(
┌//////////////////////////// Stock Transactions ////////////////////////////┐
|                             Beetlejuice, Ltd.                              |
|   =Player===============Old Stock===New Stock===Total Holdings===Bonus=    |
|    Player1                10          5             7            $1000     |
|    Player2                30          15           15            $3000     |
|                                                                            |
|                                                                            |
|                                                                            |
|                        Press any key to continue...                        |
|                                                                            |
└////////////////////////////////////////////////////////////////////////////┘
)"));
}

// Holdings near the int limit: each figure wider than its column moves the
// later columns and their header words right; a bonus beyond play takes
// the blanks between the columns, and a wider layout has room for it. The
// absorbed company B is worth $3000 a share (a bonus pool of $30000).
TEST_F(GalaxyTest, StockTableWidensItsColumnsForFiguresNearTheLimits) {
    // clang-format off
    struct {
        const char *what;
        int columns;  // of the layout
        int price;    // of B
        int old_shares[MAX_PLAYERS];
        int survivor_shares[MAX_PLAYERS];
        const char *picture;
    } const cases[] = {
        {"the most in play", 80, 3000, {2000000000, 147483647, 0, 1}, {1073741823, INT_MAX, 5, 0}, R"(
{/:┌////////////////////////////}{t: Stock Transactions }{/:////////////////////////////┐}
{/:|}                             {b:Beetlejuice, Ltd.}                              {/:|}
{/:|}   {h:=Player===============Old Stock===New Stock====Total Holdings===Bonus=}   {/:|}
{/:|}   {b: Player1                }2000000000  1000000000 2073741823       {b:$27939}   {/:|}
{/:|}   {b: Player2                }147483647   73741824   2147483647       {b:$2060 }   {/:|}
{/:|}   {b: Player3                }0           0                   5       {b:$0    }   {/:|}
{/:|}   {b: Player4                }1           1                   1       {b:$0    }   {/:|}
{/:|}                                                                            {/:|}
{/:|}                        Press any key to continue...                        {/:|}
)"},
        {"a bonus beyond play", 80, INT_MAX, {INT_MAX, 1000000000, 0, 1}, {1073741823, INT_MAX, 5, 0}, R"(
{/:┌////////////////////////////}{t: Stock Transactions }{/:////////////////////////////┐}
{/:|}                             {b:Beetlejuice, Ltd.}                              {/:|}
{/:|}   {h:=Player============Old Stock===New Stock====Total Holdings===Bonus======} {/:|}
{/:|}   {b: Player1             }2147483647  1073741824 2147483647       {b:$2147483647} {/:|}
{/:|}   {b: Player2             }1000000000  500000000  2147483647       {b:$2147483647} {/:|}
{/:|}   {b: Player3             }0           0                   5       {b:$0    }      {/:|}
{/:|}   {b: Player4             }1           1                   1       {b:$6    }      {/:|}
{/:|}                                                                            {/:|}
{/:|}                        Press any key to continue...                        {/:|}
)"},
        {"a bonus beyond play on a wider layout", 100, INT_MAX, {INT_MAX, 1000000000, 0, 1},
         {1073741823, INT_MAX, 5, 0}, R"(
{/:┌//////////////////////////////////////}{t: Stock Transactions }{/://////////////////////////////////////┐}
{/:|}                                       {b:Beetlejuice, Ltd.}                                        {/:|}
{/:|}   {h:=Player===============Old Stock===New Stock====Total Holdings===Bonus======}                  {/:|}
{/:|}   {b: Player1                }2147483647  1073741824 2147483647       {b:$2147483647}                  {/:|}
{/:|}   {b: Player2                }1000000000  500000000  2147483647       {b:$2147483647}                  {/:|}
{/:|}   {b: Player3                }0           0                   5       {b:$0    }                       {/:|}
{/:|}   {b: Player4                }1           1                   1       {b:$6    }                       {/:|}
{/:|}                                                                                                {/:|}
{/:|}                                  Press any key to continue...                                  {/:|}
)"},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, c.columns, 1, MAX_PLAYERS);
        for (WINDOW *window : {map_window, general_window, coinfo_window}) delwin(window);
        setenv("LINES", "25", 1);
        setenv("COLUMNS", std::to_string(c.columns).c_str(), 1);
        init_game();
        unsetenv("LINES");
        unsetenv("COLUMNS");
        game.num_players = MAX_PLAYERS;
        for (int k = 0; k < MAX_PLAYERS; ++k) {
            std::snprintf(game.players[k].name, sizeof game.players[k].name, "Player%d", k + 1);
            game.players[k].holdings[1] = c.old_shares[k];
            game.players[k].holdings[0] = c.survivor_shares[k];
        }
        game.companies[0] = Company{"Altair Starways", 100, 2};
        game.companies[1] = Company{"Beetlejuice, Ltd.", c.price, 2};
        type_waits(1);
        headless::merge_and_show_exchange(0, 1);
        EXPECT_TRUE(headless::expect_window(general_window, Area{0, 0, 9, c.columns - 2}, c.picture, COLOUR));
    }
}

TEST_F(GalaxyTest, StockTableHeaderIsReverseVideoInMonochrome) {
    open_screen(25, 80, 0);
    type_waits(1);
    headless::merge_and_show_exchange(0, 1);
    EXPECT_TRUE(headless::expect_window(general_window, R"(
┌////////////////////////////{t: Stock Transactions }////////////////////////////┐
|                             {b:Beetlejuice, Ltd.}                              |
|   {h:=Player===============Old Stock===New Stock===Total Holdings===Bonus=}    |
|   {b: Player1                }0           0             0            {b:$0    }    |
|   {b: Player2                }0           0             0            {b:$0    }    |
|                                                                            |
|                                                                            |
|                                                                            |
|                        Press any key to continue...                        |
|                                                                            |
└////////////////////////////////////////////////////////////////////////////┘
)",
                                        {{'t', A_REVERSE}, {'h', A_REVERSE}, {'b', A_BOLD}}));
}

TEST_F(GalaxyTest, SurvivorAbove3000SplitsAfterTheExchange) {
    // clang-format off
    struct {
        int a_price, b_price;
        int waits;
        int price_after;
        int holdings_after[2];  // of A
    } const cases[] = {
        {2000, 1200, 3, 1600, {14, 2}},  // 4 + 6/2, then doubled; 0 + (1+1)/2, doubled
        {1800, 1200, 2, 3000, {7, 1}},
    };
    // clang-format on
    for (const auto &c : cases) {
        open_screen(25, 80, 1);
        load_map(two_companies(3));
        game.companies[0].price = c.a_price;
        game.companies[1].price = c.b_price;
        game.players[0].holdings[0] = 4;
        game.players[0].holdings[1] = 6;
        game.players[1].holdings[1] = 1;
        type_waits(c.waits);

        EXPECT_EQ(merge_pair(1, 0), 0);

        EXPECT_EQ(keys_left(), "");
        EXPECT_EQ(game.companies[0].price, c.price_after);
        EXPECT_EQ(game.players[0].holdings[0], c.holdings_after[0]);
        EXPECT_EQ(game.players[1].holdings[0], c.holdings_after[1]);
        EXPECT_EQ(game.players[0].holdings[1], 0);
    }
}

TEST_F(GalaxyTest, SectorBetweenSeveralCompaniesMergesThemAllFirst) {
    // clang-format off
    struct {
        const char *what;
        std::vector<std::string> before;
        int row, column;
        Five prices;
        Five mover_before, other_before;
        int waits;
        std::vector<std::string> after;
        int survivor, size, price, mover_shares, other_shares, mover_cash, other_cash;
    } const cases[] = {
        // N A, S B, W A, E C: B takes A (and the west neighbour becomes B,
        // so no merger of A is attempted again), then B takes C.
        {"three companies: two mergers",
         {".....A", "....A.CC", ".....B", ".....B", ".....B"}, 1, 5, {200, 300, 400}, {3, 0, 5}, {0, 2, 1}, 4,
         {".....B", "....BBBB", ".....B", ".....B", ".....B"}, 1, 8, 1000, 5, 3, 6000 + 2000 + 3333,
         6000 + 666},
        // N A, S B, W C, E D: B takes A, D takes B, D takes C.
        {"four companies: three mergers",
         {"", "", "", "", ".....A", "..CCC.DDDD", ".....B", ".....B"}, 5, 5, {100, 200, 300, 400},
         {3, 0, 0, 0}, {0, 0, 7, 0}, 6,
         {"", "", "", "", ".....D", "..DDDDDDDD", ".....D", ".....D"}, 3, 11, 1100, 1, 4, 10000, 9000},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, 80, 1);
        load_map(c.before);
        draw_map();
        for (int i = 0; i < NUM_COMPANIES; ++i) {
            const auto k = static_cast<std::size_t>(i);
            game.companies[i].price = c.prices[k];
            game.players[0].holdings[i] = c.mover_before[k];
            game.players[1].holdings[i] = c.other_before[k];
        }
        type_waits(c.waits);

        play_move(at(c.row, c.column));

        EXPECT_EQ(keys_left(), "") << "one announcement and one exchange per merger";
        EXPECT_EQ(galaxy_text(), map_text(full_map(c.after)));
        expect_map_shows_galaxy();
        for (int i = 0; i < NUM_COMPANIES; ++i) {
            EXPECT_EQ(game.companies[i].size, i == c.survivor ? c.size : 0) << "company " << i;
            if (i != c.survivor) {
                EXPECT_EQ(game.players[0].holdings[i], 0);
                EXPECT_EQ(game.players[1].holdings[i], 0);
            }
        }
        EXPECT_EQ(game.companies[c.survivor].price, c.price);
        EXPECT_EQ(game.players[0].holdings[c.survivor], c.mover_shares);
        EXPECT_EQ(game.players[1].holdings[c.survivor], c.other_shares);
        EXPECT_EQ(game.players[0].cash, c.mover_cash);
        EXPECT_EQ(game.players[1].cash, c.other_cash);
    }
}

}  // namespace
