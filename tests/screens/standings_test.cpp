// The standings: players ranked by net worth in a modal window that is gone
// once a key has been read.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "screens/modal_screen.h"
#include "screens/screens.h"
#include "terminal/terminal.h"

namespace {

using StandingsTest = market_test::ModalTest<headless::CursesTest>;

constexpr const char *CURRENT = " Current Standings ";
constexpr const char *FINAL = " GAME OVER - Final Standings ";

// The colour scheme's attributes: border, title, header, bold.
const headless::Styles COLOUR = {{'=', pair_attr(PAIR_BLUE)},
                                 {'t', A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE)},
                                 {'h', pair_attr(PAIR_WHITE_ON_BLUE)},
                                 {'b', A_BOLD}};

TEST_F(StandingsTest, WindowHasOneRowPerPlayerBelowTheHeader) {
    struct {
        int players;
        const char *title;
        const char *picture;
    } const cases[] = {
        {1, CURRENT, R"(
 {=:┌==================}{t:  Current Standings  }{=:===================┐}
 {=:|}                                                          {=:|}
 {=:|} {h:=Player================Stock Value===Cash=====Net Worth=} {=:|}
 {=:|}                                                          {=:|}
 {=:|}  {b:Player1               }$0          $6000      {b:$6000    }  {=:|}
 {=:|}                                                          {=:|}
 {=:|}         Available company sectors remaining: 65          {=:|}
 {=:|}                                                          {=:|}
 {=:|}               Press any key to continue...               {=:|}
 {=:└==========================================================┘}
)"},
        {4, FINAL, R"(
 {=:┌=============}{t:  GAME OVER - Final Standings  }{=:==============┐}
 {=:|}                                                          {=:|}
 {=:|} {h:=Player================Stock Value===Cash=====Net Worth=} {=:|}
 {=:|}                                                          {=:|}
 {=:|}  {b:Player1               }$0          $6000      {b:$6000    }  {=:|}
 {=:|}  {b:Player2               }$0          $6000      {b:$6000    }  {=:|}
 {=:|}  {b:Player3               }$0          $6000      {b:$6000    }  {=:|}
 {=:|}  {b:Player4               }$0          $6000      {b:$6000    }  {=:|}
 {=:|}                                                          {=:|}
 {=:|}         Available company sectors remaining: 65          {=:|}
 {=:|}                                                          {=:|}
 {=:|}               Press any key to continue...               {=:|}
 {=:└==========================================================┘}
)"},
    };
    left_ = 10;
    for (const auto &c : cases) {
        reopen(25, 80, 1, c.players);
        type("k");
        show_standings(game, c.title);
        EXPECT_TRUE(expect_shown(c.players + 9, 60, c.picture, COLOUR)) << c.players << " players";
    }
}

TEST_F(StandingsTest, FieldsStandUnderTheirHeadersWhateverTheNameLength) {
    left_ = 10;
    std::snprintf(game.players[0].name, sizeof game.players[0].name, "Nineteen Characters");
    std::snprintf(game.players[1].name, sizeof game.players[1].name, "Twenty Characters!!!");
    game.companies[0] = Company{"Altair Starways", 250, 4};
    game.players[0].holdings[0] = 10;
    game.players[0].cash = 7000;
    game.players[1].cash = 6000;
    type("k");
    show_standings(game, CURRENT);
    // The blanks after a name are bold too; a 20-column name keeps two.
    EXPECT_TRUE(expect_shown(11, 60, R"(
 {=:┌==================}{t:  Current Standings  }{=:===================┐}
 {=:|}                                                          {=:|}
 {=:|} {h:=Player================Stock Value===Cash=====Net Worth=} {=:|}
 {=:|}                                                          {=:|}
 {=:|}  {b:Nineteen Characters   }$2500       $7000      {b:$9500    }  {=:|}
 {=:|}  {b:Twenty Characters!!!  }$0          $6000      {b:$6000    }  {=:|}
 {=:|}                                                          {=:|}
 {=:|}         Available company sectors remaining: 61          {=:|}
 {=:|}                                                          {=:|}
 {=:|}               Press any key to continue...               {=:|}
 {=:└==========================================================┘}
)",
                             COLOUR));
}

TEST_F(StandingsTest, StockValueCountsActiveCompaniesOnly) {
    game.companies[0] = Company{"Altair Starways", 300, 2};
    game.companies[1] = Company{"Beetlejuice, Ltd.", 900, 0};  // swallowed or merged
    game.companies[4] = Company{"Eridani Expediters", 1200, 7};
    game.players[0].holdings[0] = 5;
    game.players[0].holdings[1] = 100;
    game.players[1].holdings[1] = 40;
    game.players[1].holdings[4] = 3;
    game.players[2].holdings[0] = 50;  // not playing: not shown
    type("k");
    show_standings(game, CURRENT);
    left_ = 10;
    EXPECT_TRUE(expect_shown(11, 60, R"(
 ┌==================  Current Standings  ===================┐
 |                                                          |
 | =Player================Stock Value===Cash=====Net Worth= |
 |                                                          |
 |  Player2               $3600       $6000      $9600      |
 |  Player1               $1500       $6000      $7500      |
 |                                                          |
 |         Available company sectors remaining: 56          |
 |                                                          |
 |               Press any key to continue...               |
 └==========================================================┘
)"));
}

TEST_F(StandingsTest, SectorsRemainingCountDownToTheEndOfTheGame) {
    struct {
        int sizes[NUM_COMPANIES];
        const char *row;  // the window's row below the players
    } const cases[] = {
        {{0, 0, 0, 0, 0}, "|         Available company sectors remaining: 65          |"},
        {{30, 0, 20, 14, 0}, "|          Available company sectors remaining: 1          |"},
        {{30, 0, 20, 15, 0}, "|          Available company sectors remaining: 0          |"},
        // Past the end, as the final standings may be: never below 0.
        {{30, 12, 20, 15, 0}, "|          Available company sectors remaining: 0          |"},
    };
    for (const auto &c : cases) {
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].size = c.sizes[i];
        type("k");
        show_standings(game, FINAL);
        EXPECT_TRUE(headless::expect_window(curscr, headless::Area{5 + 7, 10, 1, 60}, c.row));
    }
}

// Net worths with ties, given as (cash, stock value): the richest come first
// and equal worths keep index order.
TEST_F(StandingsTest, EqualNetWorthsKeepIndexOrder) {
    game.num_players = MAX_PLAYERS;
    game.companies[0] = Company{"Altair Starways", 1000, 1};
    const int worth[MAX_PLAYERS][2] = {{3000, 2000}, {8000, 0}, {5000, 0}, {0, 8000}};
    for (int p = 0; p < MAX_PLAYERS; ++p) {
        game.players[p].cash = worth[p][0];
        game.players[p].holdings[0] = worth[p][1] / 1000;
    }
    int order[MAX_PLAYERS];
    rank_players(game, order);
    EXPECT_EQ(std::vector<int>(order, order + MAX_PLAYERS), (std::vector<int>{1, 3, 0, 2}));

    // Cash near the top of the int range: net worths are compared whole.
    game.num_players = 2;
    game.companies[0].price = 1;
    game.players[0].cash = INT_MAX;
    game.players[0].holdings[0] = 10;
    game.players[1].cash = INT_MAX;
    game.players[1].holdings[0] = 0;
    rank_players(game, order);
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], 1);

    // And on the screen, with shares making up part of the tie.
    reopen(25, 80, 1, 4);
    game.companies[2] = Company{"Capella Freight Co.", 100, 3};
    const int cash[MAX_PLAYERS] = {5000, 8000, 4000, 8000};
    const int shares[MAX_PLAYERS] = {0, 0, 10, 0};
    for (int p = 0; p < MAX_PLAYERS; ++p) {
        game.players[p].cash = cash[p];
        game.players[p].holdings[2] = shares[p];
    }
    type("k");
    show_standings(game, CURRENT);
    left_ = 10;
    EXPECT_TRUE(expect_shown(13, 60, R"(
 ┌==================  Current Standings  ===================┐
 |                                                          |
 | =Player================Stock Value===Cash=====Net Worth= |
 |                                                          |
 |  Player2               $0          $8000      $8000      |
 |  Player4               $0          $8000      $8000      |
 |  Player1               $0          $5000      $5000      |
 |  Player3               $1000       $4000      $5000      |
 |                                                          |
 |         Available company sectors remaining: 62          |
 |                                                          |
 |               Press any key to continue...               |
 └==========================================================┘
)"));
}

// Figures wider than their fields widen them: the columns after a wider
// figure move right with their headers, and the window grows (centred, up
// to the layout's width), so every digit stands under its header and inside
// the border. Each player holds as many shares of every active company.
TEST_F(StandingsTest, FiguresNearTheLimitsWidenTheirColumnsAndTheWindow) {
    const char *const most_in_play = R"(
{=:┌==================}{t:  GAME OVER - Final Standings  }{=:===================┐}
{=:|}                                                                    {=:|}
{=:|} {h:=Player================Stock Value=======Cash======Net Worth======} {=:|}
{=:|}                                                                    {=:|}
{=:|}  {b:Player1               }$32212254705000 $2147483647 {b:$32214402188647} {=:|}
{=:|}  {b:Player2               }$32212254705000 $0          {b:$32212254705000} {=:|}
{=:|}  {b:Player3               }$15000000000    $2147483647 {b:$17147483647}    {=:|}
{=:|}  {b:Player4               }$0              $6000       {b:$6000    }       {=:|}
{=:|}                                                                    {=:|}
{=:|}              Available company sectors remaining: 60               {=:|}
{=:|}                                                                    {=:|}
{=:|}                    Press any key to continue...                    {=:|}
{=:└====================================================================┘}
)";
    // clang-format off
    struct {
        const char *what;
        int columns;    // of the layout
        int companies;  // active, A first
        int price;
        int shares[MAX_PLAYERS];
        int cash[MAX_PLAYERS];
        int left;  // the window's column and width
        int width;
        const char *picture;
    } const cases[] = {
        {"ten-digit worths", 80, 1, 3000, {499865, 12, 1, 0}, {2000000000, 6000, 0, 10}, 9, 62, R"(
{=:┌==============}{t:  GAME OVER - Final Standings  }{=:===============┐}
{=:|}                                                            {=:|}
{=:|} {h:=Player================Stock Value===Cash======Net Worth==} {=:|}
{=:|}                                                            {=:|}
{=:|}  {b:Player1               }$1499595000 $2000000000 {b:$3499595000} {=:|}
{=:|}  {b:Player2               }$36000      $6000       {b:$42000   }   {=:|}
{=:|}  {b:Player3               }$3000       $0          {b:$3000    }   {=:|}
{=:|}  {b:Player4               }$0          $10         {b:$10      }   {=:|}
{=:|}                                                            {=:|}
{=:|}          Available company sectors remaining: 64           {=:|}
{=:|}                                                            {=:|}
{=:|}                Press any key to continue...                {=:|}
{=:└============================================================┘}
)"},
        {"the most in play", 80, 5, 3000, {INT_MAX, INT_MAX, 1000000, 0}, {INT_MAX, 0, INT_MAX, 6000},
         5, 70, most_in_play},
        {"a wider layout", 100, 5, 3000, {INT_MAX, INT_MAX, 1000000, 0}, {INT_MAX, 0, INT_MAX, 6000},
         15, 70, most_in_play},
        // Sums beyond 64 bits stop at its top.
        {"prices beyond play", 80, 5, INT_MAX, {INT_MAX, INT_MAX, 1000000, 0}, {INT_MAX, 0, INT_MAX, 6000},
         0, 80, R"(
{=:┌=======================}{t:  GAME OVER - Final Standings  }{=:========================┐}
{=:|}                                                                              {=:|}
{=:|} {h:=Player================Stock Value============Cash======Net Worth===========} {=:|}
{=:|}                                                                              {=:|}
{=:|}  {b:Player1               }$9223372036854775807 $2147483647 {b:$9223372036854775807} {=:|}
{=:|}  {b:Player2               }$9223372036854775807 $0          {b:$9223372036854775807} {=:|}
{=:|}  {b:Player3               }$10737418235000000   $2147483647 {b:$10737420382483647}   {=:|}
{=:|}  {b:Player4               }$0                   $6000       {b:$6000    }            {=:|}
{=:|}                                                                              {=:|}
{=:|}                   Available company sectors remaining: 60                    {=:|}
{=:|}                                                                              {=:|}
{=:|}                         Press any key to continue...                         {=:|}
{=:└==============================================================================┘}
)"},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        reopen(25, c.columns, 1, 4);
        screen_cols = c.columns;
        for (int i = 0; i < c.companies; ++i) game.companies[i] = Company{"", c.price, 1};
        for (int p = 0; p < MAX_PLAYERS; ++p) {
            for (int i = 0; i < c.companies; ++i) game.players[p].holdings[i] = c.shares[p];
            game.players[p].cash = c.cash[p];
        }
        type("k");
        show_standings(game, FINAL);
        EXPECT_TRUE(
            headless::expect_window(curscr, headless::Area{5, c.left, 13, c.width}, c.picture, COLOUR));
    }
}

TEST_F(StandingsTest, AttributesFollowTheScheme) {
    const headless::Styles MONOCHROME = {{'=', A_BOLD}, {'t', A_REVERSE}, {'h', A_REVERSE}, {'b', A_BOLD}};
    left_ = 10;
    for (const int color : {1, 0}) {
        reopen(25, 80, color, 2);
        type("k");
        show_standings(game, CURRENT);
        EXPECT_TRUE(expect_shown(11, 60, R"(
 {=:┌==================}{t:  Current Standings  }{=:===================┐}
 {=:|}                                                          {=:|}
 {=:|} {h:=Player================Stock Value===Cash=====Net Worth=} {=:|}
 {=:|}                                                          {=:|}
 {=:|}  {b:Player1               }$0          $6000      {b:$6000    }  {=:|}
 {=:|}  {b:Player2               }$0          $6000      {b:$6000    }  {=:|}
 {=:|}                                                          {=:|}
 {=:|}         Available company sectors remaining: 65          {=:|}
 {=:|}                                                          {=:|}
 {=:|}               Press any key to continue...               {=:|}
 {=:└==========================================================┘}
)",
                                 color ? COLOUR : MONOCHROME))
            << (color ? "colour" : "monochrome");
    }
}

TEST_F(StandingsTest, CtrlLClosesAndCoveredWindowsAreStagedAgain) {
    reopen(25, 80, 1, 4);
    mvwaddstr(map_window, 6, 15, "MAPX");      // screen row 7, column 16
    mvwaddstr(coinfo_window, 6, 5, "COIN");    // screen row 7, column 44
    mvwaddstr(general_window, 2, 20, "GENX");  // screen row 15, column 21
    for (WINDOW *window : {map_window, coinfo_window, general_window}) wnoutrefresh(window);
    doupdate();
    type("\x0cz");  // Ctrl-L is a key like any other here
    show_standings(game, CURRENT);
    EXPECT_EQ(read_key(), 'z');
    EXPECT_TRUE(headless::expect_window(newscr, R"(







                MAPX                        COIN







                     GENX
)")) << "the covered windows are staged again";
    left_ = 10;
    EXPECT_TRUE(expect_shown(13, 60, R"(
 ┌==================  Current Standings  ===================┐
 |                                                          |
 | =Player================Stock Value===Cash=====Net Worth= |
 |                                                          |
 |  Player1               $0          $6000      $6000      |
 |  Player2               $0          $6000      $6000      |
 |  Player3               $0          $6000      $6000      |
 |  Player4               $0          $6000      $6000      |
 |                                                          |
 |         Available company sectors remaining: 65          |
 |                                                          |
 |               Press any key to continue...               |
 └==========================================================┘
)")) << "the terminal still shows the standings until the next update";
}

TEST_F(StandingsTest, WindowAtTheLeftEdgeAndBeyondIt) {
    screen_cols = 59;  // column (59 - 60) / 2 truncates to 0
    type("k");
    show_standings(game, CURRENT);
    EXPECT_TRUE(headless::expect_window(curscr, headless::Area{5, 0, 12, 61}, R"(
┌==================  Current Standings  ===================┐
|                                                          |
| =Player================Stock Value===Cash=====Net Worth= |
|                                                          |
|  Player1               $0          $6000      $6000      |
|  Player2               $0          $6000      $6000      |
|                                                          |
|         Available company sectors remaining: 65          |
|                                                          |
|               Press any key to continue...               |
└==========================================================┘
)"));

    screen_cols = 58;
    EXPECT_EXIT(show_standings(game, CURRENT), ::testing::ExitedWithCode(1),
                "^vegatrade: couldn't create standings window\n$");
}

TEST_F(StandingsTest, LostInputEndsTheProgram) {
    close_input();
    EXPECT_EXIT(show_standings(game, CURRENT), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$");
}

}  // namespace

namespace {

// The final standings as the end of the game shows them: the winner named
// under the table, and the keys that are still open.
class FinalStandingsTest : public StandingsTest {
  protected:
    // Seats `names` with `cash` each and ends the game with a key.
    void seat(const std::vector<std::string> &names, const std::vector<int> &cash) {
        reopen(25, 80, 1, static_cast<int>(names.size()));
        for (std::size_t p = 0; p < names.size(); ++p) {
            std::snprintf(game.players[p].name, NAME_SIZE, "%s", names[p].c_str());
            game.players[p].cash = cash[p];
        }
        type(" ");
        show_standings(game, FINAL, &table.record);
    }
};

}  // namespace

// One winner and by how much, in dollars and as a ratio; a tie, which names
// the tied winners; a ten-digit margin beside a 20-column name, which still
// fits the window. Each window stands where the standings always stood.
TEST_F(FinalStandingsTest, NameTheWinnerAndTheMargin) {
    struct {
        const char *what;
        std::vector<std::string> names;
        std::vector<int> cash;
        int left;  // the window's column and width: ten digits widen it, as always
        int width;
        const char *picture;
    } const cases[] = {
        {"one winner", {"Vega", "Deneb", "Rigel"}, {14000, 6000, 5000}, 10, 60, R"(
 {=:┌=============}{t:  GAME OVER - Final Standings  }{=:==============┐}
 {=:|}                                                          {=:|}
 {=:|} {h:=Player================Stock Value===Cash=====Net Worth=} {=:|}
 {=:|}                                                          {=:|}
 {=:|}  {b:Vega                  }$0          $14000     {b:$14000   }  {=:|}
 {=:|}  {b:Deneb                 }$0          $6000      {b:$6000    }  {=:|}
 {=:|}  {b:Rigel                 }$0          $5000      {b:$5000    }  {=:|}
 {=:|}                                                          {=:|}
 {=:|}              {b:Vega wins by $8000 (2.3 to 1)}               {=:|}
 {=:|}                                                          {=:|}
 {=:|}         Available company sectors remaining: 65          {=:|}
 {=:|}                                                          {=:|}
 {=:|} R: the record, G: the chart, any other key ends the game {=:|}
 {=:└==========================================================┘}
)"},
        {"a tie", {"Vega", "Deneb", "Rigel"}, {9000, 4000, 9000}, 10, 60, R"(
 {=:┌=============}{t:  GAME OVER - Final Standings  }{=:==============┐}
 {=:|}                                                          {=:|}
 {=:|} {h:=Player================Stock Value===Cash=====Net Worth=} {=:|}
 {=:|}                                                          {=:|}
 {=:|}  {b:Vega                  }$0          $9000      {b:$9000    }  {=:|}
 {=:|}  {b:Rigel                 }$0          $9000      {b:$9000    }  {=:|}
 {=:|}  {b:Deneb                 }$0          $4000      {b:$4000    }  {=:|}
 {=:|}                                                          {=:|}
 {=:|}            {b:Vega and Rigel tie with $9000 each}            {=:|}
 {=:|}                                                          {=:|}
 {=:|}         Available company sectors remaining: 65          {=:|}
 {=:|}                                                          {=:|}
 {=:|} R: the record, G: the chart, any other key ends the game {=:|}
 {=:└==========================================================┘}
)"},
        {"a ten-digit margin", {"Twenty Characters!!!", "Deneb"}, {2000000000, 6000}, 9, 62, R"(
 {=:┌==============}{t:  GAME OVER - Final Standings  }{=:===============┐}
 {=:|}                                                            {=:|}
 {=:|} {h:=Player================Stock Value===Cash======Net Worth==} {=:|}
 {=:|}                                                            {=:|}
 {=:|}  {b:Twenty Characters!!!  }$0          $2000000000 {b:$2000000000} {=:|}
 {=:|}  {b:Deneb                 }$0          $6000       {b:$6000    }   {=:|}
 {=:|}                                                            {=:|}
 {=:|}   {b:Twenty Characters!!! wins by $1999994000 (333333 to 1)}   {=:|}
 {=:|}                                                            {=:|}
 {=:|}          Available company sectors remaining: 65           {=:|}
 {=:|}                                                            {=:|}
 {=:|}  R: the record, G: the chart, any other key ends the game  {=:|}
 {=:└============================================================┘}
)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        seat(c.names, c.cash);
        left_ = c.left;
        EXPECT_TRUE(expect_shown(static_cast<int>(c.names.size()) + 11, c.width, c.picture, COLOUR));
    }
}

// The line under the table for each kind of end: one player alone, every
// player tied, a runner-up worth nothing, and three tied with names too
// long to name them all.
TEST_F(FinalStandingsTest, SayWhatEachEndCameTo) {
    const std::string long_name = "Twenty Characters!!!";
    struct {
        std::vector<std::string> names;
        std::vector<int> cash;
        const char *line;
    } const cases[] = {
        {{"Vega"}, {123456}, "Vega finishes with $123456"},
        {{"Vega", "Deneb", "Rigel", "Altair"}, {6000, 6000, 6000, 6000}, "4 players tie with $6000 each"},
        {{"Vega", "Deneb"}, {6000, 0}, "Vega wins by $6000"},
        {{"Vega", "Deneb"}, {6100, 6000}, "Vega wins by $100 (1.0 to 1)"},
        {{"Vega", "Deneb"}, {600000, 6000}, "Vega wins by $594000 (100 to 1)"},
        {{"Vega", "Deneb", "Rigel"}, {7000, 7000, 7000}, "Vega, Deneb and Rigel tie with $7000 each"},
        {{long_name, long_name, long_name, "Vega"}, {7000, 7000, 7000, 10}, "3 players tie with $7000 each"},
    };
    for (const auto &c : cases) {
        seat(c.names, c.cash);
        const int row = 5 + static_cast<int>(c.names.size()) + 5;
        std::string shown;
        for (int column = 11; column < 69; ++column)
            shown += static_cast<char>(mvwinch(curscr, row, column) & A_CHARTEXT);
        const auto first = shown.find_first_not_of(' ');
        const auto last = shown.find_last_not_of(' ');
        EXPECT_EQ(shown.substr(first, last - first + 1), c.line);
    }
}
