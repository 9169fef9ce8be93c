// The game's record in its paged window: newest turn first, each turn's
// lines in their order, a turn kept whole on a page where it fits, and the
// note of the oldest lines once a full record has let them go.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "rules/course.h"
#include "screens/modal_screen.h"
#include "screens/record_fixture.h"
#include "screens/screens.h"
#include "support/map_fixture.h"

namespace {

using map_fixture::at;

using RecordWindowTest = market_test::ModalTest<headless::CursesTest>;

// The window's colours, and the players' lines in the chart: Deneb's, Ann's.
const headless::Styles STYLES = {{'u', pair_attr(PAIR_BLUE)},
                                 {'t', A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE)},
                                 {'b', A_BOLD},
                                 {'1', A_BOLD | pair_attr(PAIR_CYAN)},
                                 {'2', A_BOLD | pair_attr(PAIR_GREEN)}};

// Two seats, the computer's first, and a few turns kept in the record.
void play_a_few_turns(Game &game, Table &table) {
    const auto turn = [&](int pos, const std::vector<std::pair<int, int>> &trades = {}) {
        record_fixture::turn(game, table.record, pos, trades);
    };
    std::snprintf(game.players[0].name, NAME_SIZE, "Deneb (computer)");
    std::snprintf(game.players[1].name, NAME_SIZE, "Ann");
    table.computer[0] = true;
    map_fixture::load_map(game, {"....*", "", "", "", "...A.BB", "", "", "@", "", "*"});
    game.companies[0].price = 100;
    game.companies[1].price = 200;
    turn(at(1, 4), {{2, 2}, {1, 3}});   // Deneb founds C by the star
    turn(at(2, 0), {{1, 1}});           // Ann: an outpost
    turn(at(8, 0), {{3, 4}, {2, -2}});  // Deneb founds D by the star
    turn(at(7, 1));                     // Ann: lost to the black hole
    turn(at(4, 4), {{1, 6}, {2, 1}});   // Deneb merges A into B
    turn(at(3, 4), {{1, -1}});          // Ann: B grows
}

// The chart of the worths first, then the turns, newest first.
TEST_F(RecordWindowTest, ShowsTheNewestTurnFirstAPageAKey) {
    left_ = 1;
    const struct {
        const char *keys;
        const char *picture;
    } pages[] = {
        {"\033", R"(
 {u:┌======================}{t: The game's record: page 1 of 3 }{u:======================┐}
 {u:|}                                                                            {u:|}
 {u:|} {1:D} Deneb (computer)   {2:A} Ann   {b:^} a merger                                    {u:|}
 {u:|} $20000 +                                                                   {u:|}
 {u:|}        |                                                                   {u:|}
 {u:|}        |                                                                   {u:|}
 {u:|} $10000 +                                                 {1:DDDDDDDDDDDDDDDDD} {u:|}
 {u:|}        |         {1:DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD}                  {u:|}
 {u:|}        |   {1:DDDDDD}                                                          {u:|}
 {u:|}        |{1:DDD}{2:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA} {u:|}
 {u:|}  $5000 +                                                                   {u:|}
 {u:|}        ++----------+----------+----------+---------+----------{b:^}----------+ {u:|}
 {u:|}   Turn  0          1          2          3         4          5          6 {u:|}
 {u:|}                                                                            {u:|}
 {u:|}            Press any key for the next page, Escape to close...             {u:|}
 {u:└============================================================================┘}
)"},
        {"k\033", R"(
 {u:┌======================}{t: The game's record: page 2 of 3 }{u:======================┐}
 {u:|}                                                                            {u:|}
 {u:|} {b:Newest first. Sector 5C: row 5 from the top, column C from the left.}       {u:|}
 {u:|}                                                                            {u:|}
 {u:|} Ann claimed 4E, which joined Beetlejuice, Ltd.                             {u:|}
 {u:|} Ann sold 1 share of Beetlejuice, Ltd.                                      {u:|}
 {u:|} Deneb (computer) claimed 5E, which joined Beetlejuice, Ltd.                {u:|}
 {u:|} Deneb (computer) merged Altair Starways into Beetlejuice, Ltd.             {u:|}
 {u:|} Deneb (computer) bought 6 shares of Beetlejuice, Ltd.                      {u:|}
 {u:|} Deneb (computer) bought 1 share of Capella Freight Co.                     {u:|}
 {u:|} Ann claimed 8B, lost to a black hole                                       {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}            Press any key for the next page, Escape to close...             {u:|}
 {u:└============================================================================┘}
)"},
        {"kk\033", R"(
 {u:┌======================}{t: The game's record: page 3 of 3 }{u:======================┐}
 {u:|}                                                                            {u:|}
 {u:|} {b:Newest first. Sector 5C: row 5 from the top, column C from the left.}       {u:|}
 {u:|}                                                                            {u:|}
 {u:|} Deneb (computer) claimed 9A and founded Denebola Shippers                  {u:|}
 {u:|} Deneb (computer) bought 4 shares of Denebola Shippers                      {u:|}
 {u:|} Deneb (computer) sold 2 shares of Capella Freight Co.                      {u:|}
 {u:|} Ann claimed 3A: an outpost                                                 {u:|}
 {u:|} Ann bought 1 share of Beetlejuice, Ltd.                                    {u:|}
 {u:|} Deneb (computer) claimed 2E and founded Capella Freight Co.                {u:|}
 {u:|} Deneb (computer) bought 2 shares of Capella Freight Co.                    {u:|}
 {u:|} Deneb (computer) bought 3 shares of Beetlejuice, Ltd.                      {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        Press any key to continue...                        {u:|}
 {u:└============================================================================┘}
)"},
    };
    for (const auto &page : pages) {
        reopen(25, 80, 1, 2);
        play_a_few_turns(game, table);
        type(page.keys);
        show_record(game, table.record);
        EXPECT_TRUE(expect_shown(16, 78, page.picture, STYLES)) << ::testing::PrintToString(page.keys);
    }
}

// Lines that gave way to newer ones are told on the last page: here the
// first turns gave way to a last turn of many trades.
TEST_F(RecordWindowTest, ALastPageTellsOfTheLinesNoLongerKept) {
    left_ = 1;
    play_a_few_turns(game, table);
    for (int k = 0; k < RECORD_CAPACITY - 10; ++k) record_trade(table.record, game, 1, 1);
    type(std::string(RECORD_CAPACITY, 'k'));
    show_record(game, table.record);
    EXPECT_TRUE(expect_shown(16, 78, R"(
 {u:┌====================}{t: The game's record: page 282 of 282 }{u:====================┐}
 {u:|}                                                                            {u:|}
 {u:|} {b:Newest first. Sector 5C: row 5 from the top, column C from the left.}       {u:|}
 {u:|}                                                                            {u:|}
 {u:|} (5 earlier lines are no longer kept)                                       {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        Press any key to continue...                        {u:|}
 {u:└============================================================================┘}
)",
                             STYLES));
}

}  // namespace
