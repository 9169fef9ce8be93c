// The chart of the game: every player's net worth by turn on a scale of
// tens, in braille dots and colour in a UTF-8 locale and in letters
// elsewhere, with the legend, both axes and the mergers marked; alone (G at
// the final standings) and as the first page of the record.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rules/course.h"
#include "screens/modal_screen.h"
#include "screens/screens.h"

namespace {

const headless::Styles STYLES = {{'u', pair_attr(PAIR_BLUE)},
                                 {'t', A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE)},
                                 {'b', A_BOLD},
                                 {'1', A_BOLD | pair_attr(PAIR_CYAN)},
                                 {'2', A_BOLD | pair_attr(PAIR_GREEN)},
                                 {'3', A_BOLD | pair_attr(PAIR_YELLOW)},
                                 {'4', A_BOLD | pair_attr(PAIR_MAGENTA)}};

// The company a player buys in the pinned game: the first holds on to the
// largest, the second to the smallest, the third buys none, the fourth the
// dearest; -1 for none.
int company_to_buy(const Game &game, int player) {
    int chosen = -1;
    for (int k = 0; k < NUM_COMPANIES; ++k) {
        const Company &company = game.companies[k];
        if (company.size == 0) continue;
        if (chosen < 0) {
            chosen = k;
            continue;
        }
        const Company &best = game.companies[chosen];
        if ((player == 0 && company.size > best.size) || (player == 1 && company.size < best.size) ||
            (player == 3 && company.price > best.price))
            chosen = k;
    }
    return player == 2 ? -1 : chosen;
}

// A pinned game played on the rules into the game being shown and its
// record: each turn the mover claims one of the offers drawn from rand()
// seeded with `seed`, then buys all the cash allows of its company.
void play_pinned_game(Game &game, GameRecord &game_record, const std::vector<const char *> &names,
                      unsigned seed, int turns) {
    std::srand(seed);
    open_game(game, c_library_random());
    seat_players(game, static_cast<int>(names.size()), 0);
    for (std::size_t p = 0; p < names.size(); ++p)
        std::snprintf(game.players[p].name, NAME_SIZE, "%s", names[p]);
    clear_record(game_record);
    for (int turn = 0; turn < turns; ++turn) {
        int offers[NUM_MOVES];
        const int count = draw_offers(game, c_library_random(), offers);
        if (count == 0) return;
        MoveReport report;
        claim_sector(game, offers[turn % count], c_library_random(), report);
        record_claim(game_record, game, report);
        if (game_over(game)) return;
        const int company = company_to_buy(game, game.current_player);
        if (company >= 0) {
            int least = 0;
            int most = 0;
            trade_range(game, company, least, most);
            if (most > 0) {
                apply_trade(game, company, most);
                record_trade(game_record, game, company, most);
            }
        }
        end_turn(game);
    }
}

template <class Base>
class ChartTest : public market_test::ModalTest<Base> {
  protected:
    // Shows the chart alone and asserts its window (16 x 78 at row 5).
    ::testing::AssertionResult expect_chart(const char *picture) {
        this->left_ = 1;
        this->type(" ");
        show_worth_chart(this->game, this->table.record);
        return this->expect_shown(16, 78, picture, STYLES);
    }
};

using AsciiChartTest = ChartTest<headless::CursesTest>;
using Utf8ChartTest = ChartTest<headless::Utf8CursesTest>;

TEST_F(Utf8ChartTest, DrawsEachPlayersWorthInBrailleInTheirColour) {
    this->reopen(25, 80, 1, 3);
    play_pinned_game(this->game, this->table.record, {"Vega", "Deneb", "Rigel"}, 2026, 60);
    EXPECT_TRUE(expect_chart(R"(
 {u:┌============================}{t: Net worth by turn }{u:=============================┐}
 {u:|}                                                                            {u:|}
 {u:|} {1:━━} Vega   {2:━━} Deneb   {3:━━} Rigel   {b:▲} a merger                                 {u:|}
 {u:|} $200000 ┤                                                                {2:⡠} {u:|}
 {u:|}         │                                                  {2:⣀}         {2:⢀⣠⠤⠶⠥} {u:|}
 {u:|}         │                                    {2:⣀⠤⠤⠤⠤⠔⢒⣒⣊⣉⣉⣉⣉⠭}{1:⠤}{2:⠧⠶⠶⠶⠖⠚⠛⠛⠛⠋}{1:⠁}    {u:|}
 {u:|}         │                                  {2:⣰⠭}{1:⠒⠒⠒⠊⠉⠉⠁}                       {u:|}
 {u:|}  $20000 ┤                             {1:⢀}{2:⣀⣀⣀⣠⠃}                      {3:⢀⣀⣀⣀⠤⠤⠤⠊} {u:|}
 {u:|}         │              {2:⡠⠤⠤⠤⠤⠤⣤⣤⣤⣤⣒⠶⠒⠒⠚⠋⠁}   {3:⢀⠤⠤⠤⠤⠤⠤⠔⠒⠒⠒⠒⠒⠒⠒⠒⠒⠒⠒⠒⠊⠉⠉⠁}        {u:|}
 {u:|}         │        {2:⡠⠤⠤⠔⠒⠊}  {1:⢀⠔⠊⠉}{3:⣀⣀⣀⣀⣀⣀⣀⣀⣀⣀⣀⣀⣀⣀⠎}                               {u:|}
 {u:|}   $5000 ┤{2:⠒⠒⠒⠒⠒⠒⠒⠒⠓}{1:⠒⠒⠒⠚⠋⠉⠉⠉}{3:⠉⠉⠉}                                              {u:|}
 {u:|}         └┬────┬─────┬────┬────┬─────┬────┬─{b:▲}──┬─────┬────┬─────┬────┬────{b:▲} {u:|}
 {u:|}    Turn  0    5     10   15   20    25   30   35    40   45    50   55     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        Press any key to continue...                        {u:|}
 {u:└============================================================================┘}
)"));
}

TEST_F(Utf8ChartTest, FourPlayersWithLongNamesTakeTwoLegendRows) {
    this->reopen(25, 80, 1, 4);
    play_pinned_game(this->game, this->table.record,
                     {"Ludmila Petrovskaya", "Maximilian Augustine", "Ed O'Hara", "Bob"}, 14, 200);
    EXPECT_TRUE(expect_chart(R"(
 {u:┌============================}{t: Net worth by turn }{u:=============================┐}
 {u:|}                                                                            {u:|}
 {u:|} {1:━━} Ludmila Petrovskaya   {2:━━} Maximilian Augustine   {3:━━} Ed O'Hara   {4:━━} Bob   {u:|}
 {u:|} {b:▲} a merger                                                                 {u:|}
 {u:|} $1000000 ┤                                                         {1:⢀⣀⠤⠤⠤⠤⠒} {u:|}
 {u:|}          │                                               {1:⢀⣀⣀⠤⠤⠤⠤⠒⠒⠒⠊} {2:⣀⣀⣠⣒⠝} {u:|}
 {u:|}          │                                      {1:⡠⠤⠤⠔⠒⠒⠉⠉⠉⠁}   {4:⢀}{2:⣠⠤⠤⠶⠶⠞⠛}{4:⠉⠉⠁}   {u:|}
 {u:|}  $100000 ┤                         {1:⢀⡰⠒⠒⠒⠒⠒⠒⠒⠉⠉⠉⠉}  {4:⣀⣀⣀⣀}{2:⣤⠴⠶⠶⠒⠒⠛⠋}       {3:⣀⣀⣀⣀⠤} {u:|}
 {u:|}          │              {1:⢀⣀⣀⠔⠒⠒⠒⠊⠉⠉⠉⠁}     {4:⢀⣀⠤}{2:⣤⣤⣤⣤⠎⠉⠉⠉⢉⣉}{3:⣀⡠⢄⣀⠤⠤⠤⠤⠤⠤⠤⠒⠒⠊⠉}      {u:|}
 {u:|}          │      {4:⢀}{1:⣜⣉⣉⣉⣉⣉⣉⣁}{2:⣀⣠⣤⣤⣤⡤⠤⣤⣤⣤⣴⣶⣶⣶⣭⣝⣋⣉⣉}{3:⣀⡠⠤⠤⠊⠉⠉⠉⠁}                      {u:|}
 {u:|}    $5000 ┤{1:⠤⠤⠮⠯⠟⠉⠉}{2:⠉⠉⠉⠉⠉}{3:⠉⠉⠉⠉⠉⠉⠉⠉⠉⠉}                                           {u:|}
 {u:|}          └┬───┬───┬───┬───┬────┬───┬───┬───┬───┬{b:▲}───┬───┬───┬─{b:▲}─┬───┬───{b:▲}─ {u:|}
 {u:|}     Turn  0   5   10  15  20   25  30  35  40  45   50  55  60  65  70  75 {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        Press any key to continue...                        {u:|}
 {u:└============================================================================┘}
)"));
}

TEST_F(AsciiChartTest, DrawsEachPlayersWorthInTheirLetter) {
    this->reopen(25, 80, 1, 3);
    play_pinned_game(this->game, this->table.record, {"Vega", "Deneb", "Rigel"}, 2026, 60);
    EXPECT_TRUE(expect_chart(R"(
 {u:┌============================}{t: Net worth by turn }{u:=============================┐}
 {u:|}                                                                            {u:|}
 {u:|} {1:V} Vega   {2:D} Deneb   {3:R} Rigel   {b:^} a merger                                    {u:|}
 {u:|} $200000 +                                                                {2:D} {u:|}
 {u:|}         |                                                             {2:DDD}{1:V} {u:|}
 {u:|}         |                                     {2:DDDDDDDDDDDDDDDDDDDDDDDD}{1:V}    {u:|}
 {u:|}         |                                  {2:DDD}{1:VVVVVVVVV}                    {u:|}
 {u:|}  $20000 +                              {2:DDDD}                    {3:RRRRRRRRRRR} {u:|}
 {u:|}         |              {2:DDDDDDDDDDDDDDDD}    {3:RRRRRRRRRRRRRRRRRRRR}            {u:|}
 {u:|}         |        {2:DDDDDD}{1:VVVV}{3:RRRRRRRRRRRRRRRR}                                {u:|}
 {u:|}   $5000 +{2:DDDDDDDD}{1:VVVVVV}                                                    {u:|}
 {u:|}         ++----+-----+----+----+-----+----+-{b:^}--+-----+----+----+-----+----{b:^} {u:|}
 {u:|}    Turn  0    5     10   15   20    25   30   35    40   45   50    55     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        Press any key to continue...                        {u:|}
 {u:└============================================================================┘}
)"));
}

}  // namespace
