// The company panel: active companies two rows apart, with the mover's holdings.
#include <cstdlib>
#include <string>
#include <vector>

#include "flow/flow.h"
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
        show_coinfo(game);
        EXPECT_TRUE(headless::expect_window(coinfo_window, c.picture, COLOUR))
            << c.active.size() << " active";
    }
}

// Figures wider than their fields: the columns stay as long as the figures
// fit them, an eight-digit holding fills its row without wrapping it, and
// wider ones move the columns and their header left into the names' blanks
// (right on a wider layout); only prices beyond play cut the names.
TEST_F(CursesTest, WideFiguresStayWholeInTheirColumns) {
    struct {
        const char *what;
        int columns;  // of the layout
        int price[NUM_COMPANIES];
        int holding[NUM_COMPANIES];
        const char *picture;
    } const cases[] = {
        {"a five-digit price", 80, {12345, 800, 0, 0, 0}, {7, 12345, 0, 0, 0}, R"(
{h: Company                Price  Holdings }

{A: Altair Starways        }$12345  7

{B: Beetlejuice, Ltd.      }$800    12345
)"},
        {"an eight-digit holding", 80, {3000, 800, 0, 0, 0}, {12345678, 0, 0, 0, 0}, R"(
{h: Company                Price  Holdings }

{A: Altair Starways        }$3000   12345678

{B: Beetlejuice, Ltd.      }$800    0
)"},
        {"the most in play", 80, {3000, 800, 2999, 1, 0}, {INT_MAX, 0, 1000000000, 7, 0}, R"(
{h: Company              Price  Holdings   }

{A: Altair Starways      }$3000   2147483647

{B: Beetlejuice, Ltd.    }$800    0

{C: Capella Freight Co.  }$2999   1000000000

{D: Denebola Shippers    }$1      7
)"},
        {"a wider layout", 100, {3000, 800, 2999, 1, 0}, {INT_MAX, 0, 1000000000, 7, 0}, R"(
{h: Company                Price  Holdings   }

{A: Altair Starways        }$3000   2147483647

{B: Beetlejuice, Ltd.      }$800    0

{C: Capella Freight Co.    }$2999   1000000000

{D: Denebola Shippers      }$1      7
)"},
        {"prices beyond play", 80, {INT_MAX, 800, 2999, 1, 0}, {INT_MAX, 0, 1000000000, 7, 0}, R"(
{h: Company          Price      Holdings   }

{A: Altair Starways  }$2147483647 2147483647

{B: Beetlejuice, Ltd }$800        0

{C: Capella Freight  }$2999       1000000000

{D: Denebola Shipper }$1          7
)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, c.columns, 1);
        for (WINDOW *window : {map_window, general_window, coinfo_window}) delwin(window);
        setenv("LINES", "25", 1);
        setenv("COLUMNS", std::to_string(c.columns).c_str(), 1);
        init_game(game);
        unsetenv("LINES");
        unsetenv("COLUMNS");
        game.num_players = 2;
        for (int i = 0; i < NUM_COMPANIES; ++i) {
            game.companies[i].price = c.price[i];
            game.companies[i].size = c.price[i] != 0 ? 1 : 0;
            game.players[0].holdings[i] = c.holding[i];
        }
        show_coinfo(game);
        EXPECT_TRUE(headless::expect_window(coinfo_window, c.picture, COLOUR));
    }
}

TEST_F(CursesTest, PanelAttributesFollowTheScheme) {
    // In monochrome the header is reverse video and the company names plain.
    const headless::Styles MONOCHROME = {{'h', A_REVERSE}, {'A', A_NORMAL}, {'B', A_NORMAL},
                                         {'C', A_NORMAL},  {'D', A_NORMAL}, {'E', A_NORMAL}};
    for (const int color : {1, 0}) {
        use_color = color;
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].size = 1;
        show_coinfo(game);
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
