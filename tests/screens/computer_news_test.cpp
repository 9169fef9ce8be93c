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
    const char *picture;
};

// clang-format off
const NewsCase news_cases[] = {
    {"a line for each computer's turn", {{2, -1}}, R"(
{u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
{u:|}                                                                            {u:|}
{u:|} Ann, enter your move [1-5]:                                                {u:|}
{u:|}                                                                            {u:|}
{u:|} {b:Since your last move (R: the game's record):}                               {u:|}
{u:|} Rigel (strong) 9A founded Denebola; bought 4 Denebola                      {u:|}
{u:|} Deneb (computer) 5E merged Altair into Beetlejuice; sold 1 Capella         {u:|}
{u:|}                                                                            {u:|}
{u:|}                                                                            {u:|}
{u:|}                                                                            {u:|}
{u:└////////////////////////////////////////////////////////////////////////////┘}
)"},
    {"a turn too long for its line wraps, indented", {{2, -1}, {1, 12}, {2, 1}}, R"(
{u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
{u:|}                                                                            {u:|}
{u:|} Ann, enter your move [1-5]:                                                {u:|}
{u:|}                                                                            {u:|}
{u:|} {b:Since your last move (R: the game's record):}                               {u:|}
{u:|} Rigel (strong) 9A founded Denebola; bought 4 Denebola                      {u:|}
{u:|} Deneb (computer) 5E merged Altair into Beetlejuice; sold 1 Capella, bought {u:|}
{u:|}   12 Beetlejuice, bought 1 Capella                                         {u:|}
{u:|}                                                                            {u:|}
{u:|}                                                                            {u:|}
{u:└////////////////////////////////////////////////////////////////////////////┘}
)"},
};
// clang-format on

class ComputerNews : public ComputerNewsTest, public ::testing::WithParamInterface<NewsCase> {};

// Since Ann's move Rigel founded a company and traded, and Deneb merged two
// and traded, each told on a line of its own: its claim, what that set off
// and its trades, the companies named by their first word. What Deneb did
// before her move is not listed again, nor is her own move.
TEST_P(ComputerNews, ListsWhatEachComputerDidSinceThePersonsLastMove) {
    const NewsCase &c = GetParam();
    seat("Deneb (computer)", "Rigel (strong)");
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

// With three computers the whole round stands below the prompt, a line a
// turn; when their turns take more rows than there are, the newest stand
// there under a line that says how many more turns the record holds.
TEST_F(ComputerNewsTest, ThreeComputersRoundFitsOrSaysHowManyMore) {
    struct {
        const char *what;
        std::vector<std::pair<int, int>> trades;  // each computer's in its last turn
        const char *picture;
    } const cases[] = {
        {"the whole round", {{2, 1}, {1, -1}}, R"(
{u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
{u:|}                                                                            {u:|}
{u:|} Ann, enter your move [1-5]:                                                {u:|}
{u:|}                                                                            {u:|}
{u:|} {b:Since your last move (R: the game's record):}                               {u:|}
{u:|} Rigel (strong) 9A founded Denebola; bought 1 Capella, sold 1 Beetlejuice   {u:|}
{u:|} Altair (easy) 5H joined Beetlejuice; bought 1 Capella, sold 1 Beetlejuice  {u:|}
{u:|} Deneb (computer) 5E merged Altair into Beetlejuice; bought 1 Capella, sold {u:|}
{u:|}   1 Beetlejuice                                                            {u:|}
{u:|}                                                                            {u:|}
{u:└////////////////////////////////////////////////////////////////////////////┘}
)"},
        {"more rows than there are", {{2, 1}, {1, -1}, {2, 1}, {1, 1}, {2, -1}, {1, -1}, {2, 2}, {1, 2}}, R"(
{u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
{u:|}                                                                            {u:|}
{u:|} Ann, enter your move [1-5]:                                                {u:|}
{u:|}                                                                            {u:|}
{u:|} {b:Since your last move (R: the game's record):}                               {u:|}
{u:|} (2 turns before these are in the record: R)                                {u:|}
{u:|} Deneb (computer) 5E merged Altair into Beetlejuice; bought 1 Capella, sold {u:|}
{u:|}   1 Beetlejuice, bought 1 Capella, bought 1 Beetlejuice, sold 1 Capella,   {u:|}
{u:|}   sold 1 Beetlejuice, bought 2 Capella, bought 2 Beetlejuice               {u:|}
{u:|}                                                                            {u:|}
{u:└////////////////////////////////////////////////////////////////////////////┘}
)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        seat("Deneb (computer)", "Rigel (strong)");
        game.num_players = 4;
        std::snprintf(game.players[3].name, NAME_SIZE, "Altair (easy)");
        table.computer[3] = true;
        game.players[0].holdings[1] = game.players[2].holdings[1] = game.players[3].holdings[1] = 20;
        game.current_player = 0;
        turn(at(1, 4), c.trades);  // Deneb founds C by the star
        turn(at(2, 0));            // Ann: an outpost
        turn(at(8, 0), c.trades);  // Rigel founds D by the star
        turn(at(4, 7), c.trades);  // Altair: B grows
        turn(at(4, 4), c.trades);  // Deneb merges A into B
        prompt();
        EXPECT_TRUE(headless::expect_window(general_window, c.picture, STYLES));
        clear_record(table.record);
    }
}

}  // namespace
