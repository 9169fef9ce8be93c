// Showing mergers: the relabelled map, the announcement, the stock table
// with its bonuses, a split of the survivor, and chains of mergers around
// one sector. What a merger does to the game is the rules'
// (tests/rules/merge_test.cpp, tests/rules/move_test.cpp).
#include <string>
#include <vector>

#include "flow/flow.h"
#include "galaxy_fixture.h"

namespace {

using galaxy_test::at;
using galaxy_test::GalaxyTest;
using galaxy_test::map_text;
using headless::Area;

using Five = std::array<int, NUM_COMPANIES>;

// Merges two companies as a sector between them does: the rules choose the
// survivor (drawing from rand() on a full tie) and merge, and the screens
// show the announcement and the exchange. Returns the survivor.
int merge_pair(Game &game, int first, int second) {
    const int survivor = choose_survivor(game, first, second, c_library_random());
    MoveReport report{};
    merge(game, survivor, survivor == first ? second : first, report);
    show_move(game, report);
    return survivor;
}

// Company A on five sectors here and there, B on `b_size` (3 or 5).
std::vector<std::string> two_companies(int b_size) {
    return {"A..........A", "", "....BBB", "", "A.A", "", b_size == 5 ? ".BB" : "", "", "", "...........A"};
}

// A merger paints the absorbed company's sectors, far ones too, in the
// survivor's letter and colour, and waits for the announcement and for the
// stock table.
TEST_F(GalaxyTest, MergerRepaintsTheMapAndWaitsTwice) {
    const struct {
        int b_size;
        int a_price, b_price;
        int survivor;
    } cases[] = {{3, 100, 2000, 0}, {5, 300, 500, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.survivor);
        open_screen(25, 80, 1);
        load_map(two_companies(c.b_size));
        draw_map(game);
        game.companies[0].price = c.a_price;
        game.companies[1].price = c.b_price;
        game.players[1].holdings[1] = 1;
        type_waits(2);

        EXPECT_EQ(merge_pair(game, 0, 1), c.survivor);

        EXPECT_EQ(keys_left(), "");
        expect_map_shows_galaxy();
    }
}

// The colour scheme's attributes: border, title, table header, bold.
const headless::Styles COLOUR = {{'/', pair_attr(PAIR_BLUE)},
                                 {'!', A_BOLD | A_BLINK | pair_attr(PAIR_WHITE_ON_BLUE)},
                                 {'t', A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE)},
                                 {'h', A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE)},
                                 {'b', A_BOLD}};

TEST_F(GalaxyTest, MergerAnnouncementNamesBothCompanies) {
    type_waits(1);
    announce_merger(game, 0, 1);
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
        const char *picture;
    } const cases[] = {
        {"$400 with 10 and 30 shares", 2, 400, {10, 30}, {2, 0}, R"(
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
        {"$250 with 3 and 4 shares", 2, 250, {3, 4}, {0, 1}, R"(
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
        {"a player with no shares", 3, 300, {0, 5, 1}, {4, 0, 0}, R"(
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
        {"nobody holds shares", 2, 900, {0, 0}, {6, 1}, R"(
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

        merge_and_show_exchange(0, 1);

        EXPECT_EQ(keys_left(), "");
        EXPECT_TRUE(headless::expect_window(general_window, c.picture, COLOUR));
    }
}

TEST_F(GalaxyTest, StockTableRowHasItsFixedLayout) {
    game.players[0].holdings[1] = 10;
    game.players[1].holdings[1] = 30;
    game.players[0].holdings[0] = 2;
    game.companies[1].price = 400;
    type_waits(1);
    merge_and_show_exchange(0, 1);
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
        init_game(game);
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
        merge_and_show_exchange(0, 1);
        EXPECT_TRUE(headless::expect_window(general_window, Area{0, 0, 9, c.columns - 2}, c.picture, COLOUR));
    }
}

TEST_F(GalaxyTest, StockTableHeaderIsReverseVideoInMonochrome) {
    open_screen(25, 80, 0);
    type_waits(1);
    merge_and_show_exchange(0, 1);
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

// A survivor whose summed price passes $3000 announces its split after the
// stock table; one that reaches $3000 does not.
TEST_F(GalaxyTest, SurvivorAbove3000AnnouncesItsSplitAfterTheExchange) {
    const struct {
        int a_price, b_price;
        int waits;
    } cases[] = {{2000, 1200, 3}, {1800, 1200, 2}};
    for (const auto &c : cases) {
        open_screen(25, 80, 1);
        load_map(two_companies(3));
        game.companies[0].price = c.a_price;
        game.companies[1].price = c.b_price;
        game.players[0].holdings[0] = 4;
        game.players[0].holdings[1] = 6;
        game.players[1].holdings[1] = 1;
        type_waits(c.waits);

        EXPECT_EQ(merge_pair(game, 1, 0), 0);

        EXPECT_EQ(keys_left(), "");
    }
}

// A sector between three or four companies shows one announcement and one
// stock table per merger, and the map as the last merger left it.
TEST_F(GalaxyTest, SectorBetweenSeveralCompaniesShowsEveryMerger) {
    // clang-format off
    const struct {
        const char *what;
        std::vector<std::string> before;
        int row, column;
        int waits;
    } cases[] = {
        {"three companies: two mergers",
         {".....A", "....A.CC", ".....B", ".....B", ".....B"}, 1, 5, 4},
        {"four companies: three mergers",
         {"", "", "", "", ".....A", "..CCC.DDDD", ".....B", ".....B"}, 5, 5, 6},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, 80, 1);
        load_map(c.before);
        draw_map(game);
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].price = 100 * (i + 1);
        game.players[0].holdings[0] = 3;
        game.players[1].holdings[2] = 7;
        type_waits(c.waits);

        play_move(at(c.row, c.column));

        EXPECT_EQ(keys_left(), "") << "one announcement and one exchange per merger";
        expect_map_shows_galaxy();
    }
}

}  // namespace
