// The detailed company report: a modal window of every active company.
#include <string>
#include <vector>

#include "screens/modal_screen.h"
#include "screens/screens.h"
#include "terminal/terminal.h"

namespace {

using ReportTest = market_test::ModalTest<headless::CursesTest>;

// The colour scheme's attributes: border, title, header, bold, and the
// names of the companies A to E.
const headless::Styles COLOUR = {{'=', pair_attr(PAIR_BLUE)},
                                 {'t', A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE)},
                                 {'h', pair_attr(PAIR_WHITE_ON_BLUE)},
                                 {'b', A_BOLD},
                                 {'A', company_attr[0]},
                                 {'B', company_attr[1]},
                                 {'C', company_attr[2]},
                                 {'D', company_attr[3]},
                                 {'E', company_attr[4]}};

TEST_F(ReportTest, NoActiveCompanyShowsNothingAndReadsNoKey) {
    type("xy");
    more_coinfo();
    EXPECT_EQ(read_key(), 'x');
    EXPECT_TRUE(headless::expect_window(newscr, "")) << "nothing staged";
    EXPECT_TRUE(headless::expect_window(curscr, "")) << "nothing shown";
}

TEST_F(ReportTest, WindowListsActiveCompaniesInLetterOrder) {
    struct {
        std::vector<int> active;
        const char *picture;
    } const cases[] = {
        {{2}, R"(
 {=:┌==========}{t: Detailed Company Information }{=:==========┐}
 {=:|}                                                  {=:|}
 {=:|}{h: Company name          Price   Size   Total Worth }{=:|}
 {=:|}                                                  {=:|}
 {=:|} {C:Capella Freight Co.   }$102     12     {b:$0        } {=:|}
 {=:|}                                                  {=:|}
 {=:|}           Press any key to continue...           {=:|}
 {=:└==================================================┘}
)"},
        {{0, 1, 2, 3, 4}, R"(
 {=:┌==========}{t: Detailed Company Information }{=:==========┐}
 {=:|}                                                  {=:|}
 {=:|}{h: Company name          Price   Size   Total Worth }{=:|}
 {=:|}                                                  {=:|}
 {=:|} {A:Altair Starways       }$100     10     {b:$0        } {=:|}
 {=:|} {B:Beetlejuice, Ltd.     }$101     11     {b:$0        } {=:|}
 {=:|} {C:Capella Freight Co.   }$102     12     {b:$0        } {=:|}
 {=:|} {D:Denebola Shippers     }$103     13     {b:$0        } {=:|}
 {=:|} {E:Eridani Expediters    }$104     14     {b:$0        } {=:|}
 {=:|}                                                  {=:|}
 {=:|}           Press any key to continue...           {=:|}
 {=:└==================================================┘}
)"},
        {{0, 2}, R"(
 {=:┌==========}{t: Detailed Company Information }{=:==========┐}
 {=:|}                                                  {=:|}
 {=:|}{h: Company name          Price   Size   Total Worth }{=:|}
 {=:|}                                                  {=:|}
 {=:|} {A:Altair Starways       }$100     10     {b:$0        } {=:|}
 {=:|} {C:Capella Freight Co.   }$102     12     {b:$0        } {=:|}
 {=:|}                                                  {=:|}
 {=:|}           Press any key to continue...           {=:|}
 {=:└==================================================┘}
)"},
    };
    left_ = 14;
    for (const auto &c : cases) {
        reopen(25, 80, 1, 2);
        for (const int i : c.active) {
            game.companies[i].price = 100 + i;
            game.companies[i].size = 10 + i;
        }
        type("k");
        more_coinfo();
        EXPECT_TRUE(expect_shown(static_cast<int>(c.active.size()) + 7, 52, c.picture, COLOUR));
    }
}

TEST_F(ReportTest, TotalWorthCountsEveryPlayersShares) {
    reopen(25, 80, 1, 3);
    game.companies[1] = Company{"Beetlejuice, Ltd.", 2000, 5};
    game.companies[3] = Company{"Denebola Shippers", 1000, 8};
    const int holdings[MAX_PLAYERS] = {10, 5, 1, 100};  // the fourth record does not play
    for (int p = 0; p < MAX_PLAYERS; ++p) game.players[p].holdings[1] = holdings[p];
    game.players[0].holdings[3] = 1500000;  // worth beyond the int range is shown whole
    game.players[1].holdings[3] = 1500000;
    type("k");
    more_coinfo();
    left_ = 13;
    EXPECT_TRUE(expect_shown(9, 53, R"(
 ┌========== Detailed Company Information ===========┐
 |                                                   |
 | Company name          Price   Size   Total Worth  |
 |                                                   |
 | Beetlejuice, Ltd.     $2000    5      $32000      |
 | Denebola Shippers     $1000    8      $3000000000 |
 |                                                   |
 |           Press any key to continue...            |
 └===================================================┘
)")) << "a worth of ten digits widens the window by a column";
}

// The most shares there are, at the most a price reaches in play: each
// total worth takes fourteen digits, and its column and the window widen.
TEST_F(ReportTest, WorthNearTheLimitsWidensItsColumnAndTheWindow) {
    reopen(25, 80, 1, 4);
    game.companies[0] = Company{"Altair Starways", 3000, 60};
    game.companies[4] = Company{"Eridani Expediters", 1, 1};
    for (int p = 0; p < MAX_PLAYERS; ++p) game.players[p].holdings[0] = game.players[p].holdings[4] = INT_MAX;
    type("k");
    more_coinfo();
    left_ = 11;
    EXPECT_TRUE(expect_shown(9, 57, R"(
 {=:┌============}{t: Detailed Company Information }{=:=============┐}
 {=:|}                                                       {=:|}
 {=:|}{h: Company name          Price   Size   Total Worth      }{=:|}
 {=:|}                                                       {=:|}
 {=:|} {A:Altair Starways       }$3000    60     {b:$25769803764000} {=:|}
 {=:|} {E:Eridani Expediters    }$1       1      {b:$8589934588}     {=:|}
 {=:|}                                                       {=:|}
 {=:|}             Press any key to continue...              {=:|}
 {=:└=======================================================┘}
)",
                             COLOUR));
}

TEST_F(ReportTest, AttributesFollowTheScheme) {
    // In monochrome the company names are plain.
    const headless::Styles MONOCHROME = {{'=', A_BOLD}, {'t', A_REVERSE}, {'h', A_REVERSE},
                                         {'b', A_BOLD}, {'A', A_NORMAL},  {'D', A_NORMAL}};
    left_ = 14;
    for (const int color : {1, 0}) {
        reopen(25, 80, color, 2);
        game.companies[0].size = game.companies[3].size = 1;
        type("k");
        more_coinfo();
        EXPECT_TRUE(expect_shown(9, 52, R"(
 {=:┌==========}{t: Detailed Company Information }{=:==========┐}
 {=:|}                                                  {=:|}
 {=:|}{h: Company name          Price   Size   Total Worth }{=:|}
 {=:|}                                                  {=:|}
 {=:|} {A:Altair Starways       }$0       1      {b:$0        } {=:|}
 {=:|} {D:Denebola Shippers     }$0       1      {b:$0        } {=:|}
 {=:|}                                                  {=:|}
 {=:|}           Press any key to continue...           {=:|}
 {=:└==================================================┘}
)",
                                 color ? COLOUR : MONOCHROME))
            << (color ? "colour" : "monochrome");
    }
}

TEST_F(ReportTest, CtrlLClosesAndCoveredWindowsAreStagedAgain) {
    for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].size = 1;  // rows 5 to 16
    mvwaddstr(map_window, 6, 15, "MAPX");                                // screen row 7, column 16
    mvwaddstr(coinfo_window, 6, 5, "COIN");                              // screen row 7, column 44
    mvwaddstr(general_window, 2, 20, "GENX");                            // screen row 15, column 21
    for (WINDOW *window : {map_window, coinfo_window, general_window}) wnoutrefresh(window);
    doupdate();
    type("\x0cz");  // Ctrl-L is a key like any other here
    more_coinfo();
    EXPECT_EQ(read_key(), 'z');
    EXPECT_TRUE(headless::expect_window(newscr, R"(







                MAPX                        COIN







                     GENX
)")) << "the covered windows are staged again";
}

TEST_F(ReportTest, FailuresEndTheProgram) {
    game.companies[2].size = 1;
    screen_cols = 50;  // the window's column would be negative
    EXPECT_EXIT(more_coinfo(), ::testing::ExitedWithCode(1),
                "^vegatrade: couldn't create company report window\n$");
    screen_cols = 80;
    close_input();
    EXPECT_EXIT(more_coinfo(), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$");
}

}  // namespace
