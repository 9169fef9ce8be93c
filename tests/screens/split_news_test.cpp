// Announcing a two-for-one split: the announcement, the panel with the new
// price, and the wait for a key. The split itself is the rules'
// (tests/rules/market_test.cpp).
#include <string>

#include "screens/screens.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;

// Splits a company's stock and announces it, as a move does.
void split_and_announce(Game &game, int company) {
    MoveReport report{};
    split_stock(game, company, report);
    announce_split(game, report.events[0]);
}

TEST_F(CursesTest, SplitAnnouncesAndRepaintsThePanelBeforeWaiting) {
    game.companies[2] = Company{"Capella Freight Co.", 3003, 6};
    game.players[0].holdings[2] = 40;
    game.current_player = 1;
    game.players[1].holdings[2] = 15;
    // Ctrl-L repaints and the wait goes on; the next key ends it.
    type("\x0ck!");
    split_and_announce(game, 2);
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
