// Two-for-one splits: the price halves, every player's holding doubles, and
// the announcement waits for a key.
#include <string>

#include "screens/screens.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;

// Splits a company's stock and announces it, as a move does.
void split_and_announce(int company) {
    MoveReport report{};
    split_stock(game, company, report);
    announce_split(report.events[0]);
}

TEST_F(CursesTest, SplitHalvesThePriceRoundingUpAndDoublesEveryPlayersHolding) {
    open_screen(25, 80, 1, 3);
    struct {
        int price;
        int expected;
    } const cases[] = {{3001, 1501}, {3002, 1501}, {3003, 1502}, {5100, 2550}};
    for (const auto &c : cases) {
        game.companies[3] = Company{"Denebola Shippers", c.price, 9};
        const int holdings[MAX_PLAYERS] = {10, 0, 25, 7};
        for (int p = 0; p < MAX_PLAYERS; ++p) {
            game.players[p].holdings[3] = holdings[p];
            game.players[p].holdings[1] = 4;  // another company's shares stay as they are
        }
        type("k");
        split_and_announce(3);
        EXPECT_EQ(game.companies[3].price, c.expected) << "price " << c.price;
        EXPECT_EQ(game.players[0].holdings[3], 20);
        EXPECT_EQ(game.players[1].holdings[3], 0);
        EXPECT_EQ(game.players[2].holdings[3], 50);
        EXPECT_EQ(game.players[3].holdings[3], 7) << "a record beyond game.num_players is not a player";
        for (int p = 0; p < MAX_PLAYERS; ++p) EXPECT_EQ(game.players[p].holdings[1], 4);
    }
}

TEST_F(CursesTest, SplitAnnouncesAndRepaintsThePanelBeforeWaiting) {
    game.companies[2] = Company{"Capella Freight Co.", 3003, 6};
    game.players[0].holdings[2] = 40;
    game.current_player = 1;
    game.players[1].holdings[2] = 15;
    // Ctrl-L repaints and the wait goes on; the next key ends it.
    type("\x0ck!");
    split_and_announce(2);
    EXPECT_EQ(read_key(), '!') << "the split reads exactly the keys up to the first that is not Ctrl-L";

    EXPECT_TRUE(headless::expect_window(general_window, R"(
{/:┌//////////////////////////}{!: Special Announcement! }{/:///////////////////////////┐}
{/:|}                                                                            {/:|}
{/:|}                      {b:The stock of Capella Freight Co.}                      {/:|}
{/:|}                           {b:has split two-for-one!}                           {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                        Press any key to continue...                        {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:|}                                                                            {/:|}
{/:└////////////////////////////////////////////////////////////////////////////┘}
)",
                                        {{'/', pair_attr(PAIR_BLUE)},
                                         {'!', A_BOLD | A_BLINK | pair_attr(PAIR_WHITE_ON_BLUE)},
                                         {'b', A_BOLD}}));
    // The panel shows the new price and the mover's doubled holding.
    EXPECT_TRUE(headless::expect_window(coinfo_window, R"(
 Company                Price  Holdings

 Capella Freight Co.    $1502   30
)"));
}

}  // namespace
