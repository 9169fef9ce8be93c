// Dividends: the mover earns 5% of the share price on every share held.
#include "screens/screens.h"
#include "support/screen.h"

namespace {

using headless::CursesTest;

TEST_F(CursesTest, DividendIsFivePercentOfThePriceTruncatedPerCompany) {
    struct {
        int holding;
        int price;
        int cash;
        int expected_cash;
    } const cases[] = {
        {100, 100, 6000, 6500},
        {7, 150, 6000, 6052},
        {3, 100, 6000, 6015},
        {0, 2500, 6000, 6000},
        {100, 100, INT_MAX - 10, INT_MAX},  // the sum clamps instead of wrapping
        {2000000, 30000, 0, INT_MAX},       // so does a dividend beyond the int range
    };
    for (const auto &c : cases) {
        game.companies[0] = Company{"Altair Starways", c.price, 3};
        game.players[0].holdings[0] = c.holding;
        game.players[0].cash = c.cash;
        pay_dividends(game);
        EXPECT_EQ(game.players[0].cash, c.expected_cash) << c.holding << " shares at $" << c.price;
    }
}

TEST_F(CursesTest, DividendsGoToTheMoverForActiveCompaniesOnly) {
    open_screen(25, 80, 1, 3);
    game.companies[0] = Company{"Altair Starways", 150, 4};
    game.companies[1] = Company{"Beetlejuice, Ltd.", 1000, 0};  // not active: pays nothing
    game.companies[2] = Company{"Capella Freight Co.", 150, 2};
    for (int p = 0; p < MAX_PLAYERS; ++p) {
        for (int &holding : game.players[p].holdings) holding = 7;
    }
    game.current_player = 1;
    pay_dividends(game);
    // 52.5 is truncated for each company on its own: 52 + 52, not 105.
    EXPECT_EQ(game.players[1].cash, STARTING_CASH + 104);
    for (const int other : {0, 2, 3}) EXPECT_EQ(game.players[other].cash, STARTING_CASH) << "player " << other;
}

}  // namespace
