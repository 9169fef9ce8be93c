// What the computers did, listed at a person's move prompt below the
// prompt: one line each since that person last moved, the newest that fit,
// and nothing at a computer's prompt or in a game of people only.
#include <cstdio>
#include <string>
#include <vector>

#include "rules/course.h"
#include "screens/record_fixture.h"
#include "screens/screens.h"
#include "support/map_fixture.h"
#include "support/screen.h"

namespace {

using headless::CursesTest;
using map_fixture::at;

// The colours of the general window: border, title, bold.
const headless::Styles STYLES = {
    {'u', pair_attr(PAIR_BLUE)}, {'h', A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE)}, {'b', A_BOLD}};

class ComputerNewsTest : public CursesTest {
  protected:
    // Three seats: two computers round a person, player 1.
    void seat(const char *first, const char *second) {
        game.num_players = 3;
        std::snprintf(game.players[0].name, NAME_SIZE, "%s", first);
        std::snprintf(game.players[1].name, NAME_SIZE, "Ann");
        std::snprintf(game.players[2].name, NAME_SIZE, "%s", second);
        table.computer[0] = table.computer[2] = true;
        map_fixture::load_map(game, {"....*", "", "", "", "...A.BB", "", "", "", "", "*"});
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].price = game.companies[i].size * 100;
    }

    // The general window as the move prompt leaves it once a digit is typed.
    void prompt() {
        type("1");
        std::srand(7);
        prompt_for_move();
    }

    void turn(int pos, const std::vector<std::pair<int, int>> &trades = {}) {
        record_fixture::turn(game, table.record, pos, trades);
    }
};

struct NewsCase {
    const char *what;
    std::vector<std::pair<int, int>> last_trades;  // Deneb's in the last turn
    const char *long_name;                         // Capella's name, when not its own
    const char *picture;
};

// clang-format off
const NewsCase news_cases[] = {
    {"five lines in the five rows", {{2, -1}}, nullptr, R"(
{u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
{u:|}                                                                            {u:|}
{u:|} Ann, enter your move [1-5]:                                                {u:|}
{u:|}                                                                            {u:|}
{u:|} {b:Since your last move (R: the game's record):}                               {u:|}
{u:|} Rigel (strong) claimed 9A and founded Denebola Shippers                    {u:|}
{u:|} Rigel (strong) bought 4 shares of Denebola Shippers                        {u:|}
{u:|} Deneb (computer) claimed 5E, which joined Beetlejuice, Ltd.                {u:|}
{u:|} Deneb (computer) merged Altair Starways into Beetlejuice, Ltd.             {u:|}
{u:|} Deneb (computer) sold 1 share of Capella Freight Co.                       {u:|}
{u:└////////////////////////////////////////////////////////////////////////////┘}
)"},
    {"more lines than rows: the newest, and how many more", {{2, -1}, {1, 12}, {2, 1}}, nullptr, R"(
{u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
{u:|}                                                                            {u:|}
{u:|} Ann, enter your move [1-5]:                                                {u:|}
{u:|}                                                                            {u:|}
{u:|} {b:Since your last move (R: the game's record):}                               {u:|}
{u:|} (3 lines before these are in the record: R)                                {u:|}
{u:|} Deneb (computer) merged Altair Starways into Beetlejuice, Ltd.             {u:|}
{u:|} Deneb (computer) sold 1 share of Capella Freight Co.                       {u:|}
{u:|} Deneb (computer) bought 12 shares of Beetlejuice, Ltd.                     {u:|}
{u:|} Deneb (computer) bought 1 share of Capella Freight Co.                     {u:|}
{u:└////////////////////////////////////////////////////////////////////////////┘}
)"},
    {"a line wider than the window wraps, indented", {{2, -1}}, "Capella Freight and Passenger Lines, Incorporated", R"(
{u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
{u:|}                                                                            {u:|}
{u:|} Ann, enter your move [1-5]:                                                {u:|}
{u:|}                                                                            {u:|}
{u:|} {b:Since your last move (R: the game's record):}                               {u:|}
{u:|} (2 lines before these are in the record: R)                                {u:|}
{u:|} Deneb (computer) claimed 5E, which joined Beetlejuice, Ltd.                {u:|}
{u:|} Deneb (computer) merged Altair Starways into Beetlejuice, Ltd.             {u:|}
{u:|} Deneb (computer) sold 1 share of Capella Freight and Passenger Lines,      {u:|}
{u:|}   Incorporated                                                             {u:|}
{u:└////////////////////////////////////////////////////////////////////////////┘}
)"},
};
// clang-format on

class ComputerNews : public ComputerNewsTest, public ::testing::WithParamInterface<NewsCase> {};

// Since Ann's move Rigel founded a company and traded, and Deneb merged two
// and traded; what Deneb did before her move is not listed again, nor is
// her own move.
TEST_P(ComputerNews, ListsWhatEachComputerDidSinceThePersonsLastMove) {
    const NewsCase &c = GetParam();
    seat("Deneb (computer)", "Rigel (strong)");
    if (c.long_name != nullptr) std::snprintf(game.companies[2].name, NAME_SIZE, "%s", c.long_name);
    game.current_player = 0;
    turn(at(1, 4), {{2, 2}});       // Deneb founds C by the star
    turn(at(2, 0));                 // Ann: an outpost
    turn(at(8, 0), {{3, 4}});       // Rigel founds D by the star
    turn(at(4, 4), c.last_trades);  // Deneb merges A into B
    prompt();
    EXPECT_TRUE(headless::expect_window(general_window, c.picture, STYLES));
}

INSTANTIATE_TEST_SUITE_P(ComputerNewsTest, ComputerNews, ::testing::ValuesIn(news_cases),
                         [](const ::testing::TestParamInfo<NewsCase> &param) {
                             return "case" + std::to_string(param.index);
                         });

}  // namespace
