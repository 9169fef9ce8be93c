// The company panel: active companies two rows apart, with the mover's holdings.
#include <string>
#include <vector>

#include "screens/screens.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;

// The colour scheme's attributes: header, bold, and the names of the
// companies A to E.
const headless::Styles COLOUR = {{'h', pair_attr(PAIR_BLACK_ON_GREEN)},
                                 {'b', A_BOLD},
                                 {'A', company_attr[0]},
                                 {'B', company_attr[1]},
                                 {'C', company_attr[2]},
                                 {'D', company_attr[3]},
                                 {'E', company_attr[4]}};

TEST_F(CursesTest, PanelListsActiveCompaniesTwoRowsApart) {
    struct {
        std::vector<int> active;
        const char *picture;
    } const cases[] = {
        {{}, R"(
{h: Company                Price  Holdings }

{b: no active companies}
)"},
        {{3}, R"(
{h: Company                Price  Holdings }

{D: Denebola Shippers      }$400    13
)"},
        {{0, 1, 2, 3, 4}, R"(
{h: Company                Price  Holdings }

{A: Altair Starways        }$100    10

{B: Beetlejuice, Ltd.      }$200    11

{C: Capella Freight Co.    }$300    12

{D: Denebola Shippers      }$400    13

{E: Eridani Expediters     }$500    14
)"},
        {{0, 2}, R"(
{h: Company                Price  Holdings }

{A: Altair Starways        }$100    10

{C: Capella Freight Co.    }$300    12
)"},
    };
    game.current_player = 1;  // the mover's holdings are shown
    for (const auto &c : cases) {
        for (int i = 0; i < NUM_COMPANIES; ++i) {
            game.companies[i].size = 0;
            game.companies[i].price = 100 * (i + 1);
            game.players[0].holdings[i] = 90 + i;
            game.players[1].holdings[i] = 10 + i;
        }
        for (const int i : c.active) game.companies[i].size = 3;
        for (int row = 0; row < 12; ++row) mvwaddstr(coinfo_window, row, 0, "stale stale stale");
        show_coinfo();
        EXPECT_TRUE(headless::expect_window(coinfo_window, c.picture, COLOUR))
            << c.active.size() << " active";
    }
}

TEST_F(CursesTest, FiveDigitPricePushesOnlyItsOwnHoldingsRight) {
    game.companies[0] = Company{"Altair Starways", 12345, 2};
    game.companies[1] = Company{"Beetlejuice, Ltd.", 800, 2};
    game.players[0].holdings[0] = 7;
    game.players[0].holdings[1] = 12345;
    show_coinfo();
    EXPECT_TRUE(headless::expect_window(coinfo_window, R"(
 Company                Price  Holdings

 Altair Starways        $12345   7

 Beetlejuice, Ltd.      $800    12345
)"));
}

TEST_F(CursesTest, PanelAttributesFollowTheScheme) {
    // In monochrome the header is reverse video and the company names plain.
    const headless::Styles MONOCHROME = {{'h', A_REVERSE}, {'A', A_NORMAL}, {'B', A_NORMAL},
                                         {'C', A_NORMAL},  {'D', A_NORMAL}, {'E', A_NORMAL}};
    for (const int color : {1, 0}) {
        use_color = color;
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].size = 1;
        show_coinfo();
        EXPECT_TRUE(headless::expect_window(coinfo_window, R"(
{h: Company                Price  Holdings }

{A: Altair Starways        }$0      0

{B: Beetlejuice, Ltd.      }$0      0

{C: Capella Freight Co.    }$0      0

{D: Denebola Shippers      }$0      0

{E: Eridani Expediters     }$0      0
)",
                                            color ? COLOUR : MONOCHROME))
            << (color ? "colour" : "monochrome");
    }
}

}  // namespace
