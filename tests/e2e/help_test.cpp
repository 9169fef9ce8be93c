// The help window, end to end: `?` at the move prompt and in the trading
// dialog shows the keys of that prompt and then the rules, a page a key,
// and the last key restores the screen as it was.
#include <map>
#include <string>
#include <vector>

#include "support/game_driver.h"

namespace e2e {
namespace {

// A pinned one-player game, in monochrome so the pictures show the
// attributes plainly.
Options pinned_game() {
    Options options;
    options.args = {"-m"};
    options.pin_clock = PinnedClock{2026, 1210};
    return options;
}

const std::map<char, Style> STYLES = {{' ', {.fg = 7, .bg = 0}},
                                      {'b', {.bold = true, .fg = 7, .bg = 0}},
                                      {'r', {.reverse = true, .fg = 7, .bg = 0}}};

// Types `?`, checks each page against `pages` in turn (a key turns the
// page; an empty picture checks only the page's number), and checks that the key on the last page leaves the
// screen, its attributes and the cursor as they were.
void page_through(Terminal &t, const std::vector<const char *> &pages) {
    ASSERT_TRUE(t.wait_for_key_request());
    const std::string before = t.dump();
    std::vector<Cell> cells;
    for (int row = 0; row < t.rows(); ++row) {
        for (int col = 0; col < t.cols(); ++col) cells.push_back(t.cell(row, col));
    }
    const Position cursor = t.cursor();
    t.type("?");
    for (std::size_t page = 0; page < pages.size(); ++page) {
        SCOPED_TRACE("page " + std::to_string(page + 1));
        ASSERT_TRUE(t.wait_for_key_request());
        if (pages[page][0] != '\0') {
            EXPECT_TRUE(t.expect_screen(pages[page], STYLES, Millis{0}));
        } else {
            EXPECT_EQ(text_at(t, 5, 30, 20), " Help: page " + std::to_string(page + 1) + " of 4 =")
                << t.dump();
        }
        t.type(page % 2 == 0 ? " " : "q");  // any key, even one the prompt knows
    }
    ASSERT_TRUE(t.wait_for_key_request());
    std::size_t index = 0;
    for (int row = 0; row < t.rows(); ++row) {
        for (int col = 0; col < t.cols(); ++col, ++index) {
            const Cell cell = t.cell(row, col);
            ASSERT_TRUE(cell.ch == cells[index].ch && static_cast<const Style &>(cell) == cells[index])
                << "cell (" << row << ", " << col << ") was " << cells[index] << ", is " << cell
                << "\nbefore:\n"
                << before << "\nafter:\n"
                << t.dump();
        }
    }
    EXPECT_EQ(t.cursor(), cursor);
}

TEST(Help, AtTheMovePromptShowsItsKeysThenTheRules) {
    Terminal t(pinned_game());
    ASSERT_TRUE(start_players(t, {"Ann"}));
    page_through(t, {R"(
{r: VegaTrade }=====================================================================
 {b:┌---------------}{r: Map }{b:----------------┐}{r: Company                Price  Holdings }
 {b:|} {r:3}  .  .  .  .  .  .  {r:1}  .  .  .  . {b:|}
 {b:|} .  .  .  .  .  .  .  .  .  .  .  . {b:| no active companies}
 {b:|} .  .  .  .  {b:*}  .  .  .  .  .  {r:2}  . {b:|}
 {b:|} {b:┌==========================}{r: Help: page 1 of 4 }{b:===========================┐}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} {b:Keys at the move prompt}                                                {b:|}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} 1 to 5      claim the sector marked with that digit on the map         {b:|}
 {b:|} {b:|} S, C        the standings; the detailed company report                 {b:|}
 {b:|} {b:|} R           the game's record, newest first (playing the computer)     {b:|}
 {b:└-|} Q, Ctrl-C   ask whether to quit (y quits, with the final standings)    {b:|}
 ┌/{b:|} Ctrl-L      repaint the screen                                         {b:|}/┐
 | {b:|} Ctrl-Z      suspend the game (fg in the shell brings it back)          {b:|} |
 | {b:|} ?           this help. Letter keys work in either case.                {b:|} |
 | {b:|} While the computer plays, S, C, R and ? open their windows and it      {b:|} |
 | {b:|} waits; Q or Ctrl-C ask to quit; any other key hurries it.              {b:|} |
 | {b:|}                                                                        {b:|} |
 | {b:|}          Press any key for the next page, Escape to close...           {b:|} |
 | {b:└========================================================================┘} |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘
)",
                     R"(
{r: VegaTrade }=====================================================================
 {b:┌---------------}{r: Map }{b:----------------┐}{r: Company                Price  Holdings }
 {b:|} {r:3}  .  .  .  .  .  .  {r:1}  .  .  .  . {b:|}
 {b:|} .  .  .  .  .  .  .  .  .  .  .  . {b:| no active companies}
 {b:|} .  .  .  .  {b:*}  .  .  .  .  .  {r:2}  . {b:|}
 {b:|} {b:┌==========================}{r: Help: page 2 of 4 }{b:===========================┐}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} {b:Claiming a sector}                                                      {b:|}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} A claimed sector becomes, by its four neighbours (no diagonals):       {b:|}
 {b:|} {b:|} - an outpost (+) next to open space only; with a black hole (@)        {b:|}
 {b:|} {b:|}   and nothing else beside it, it is lost to the black hole;            {b:|}
 {b:└-|} - a new company (A to E) next to a star (*) or an outpost and no       {b:|}
 ┌/{b:|}   company: $100 a share, and its founder gets 5 shares;                {b:|}/┐
 | {b:|} - part of a neighbouring company: one sector more, $100 a share.       {b:|} |
 | {b:|} Each star beside a company's new sector adds $500 to its price,        {b:|} |
 | {b:|} each black hole takes $500 away, and outposts beside it join the       {b:|} |
 | {b:|} company for $100 each.                                                 {b:|} |
 | {b:|}                                                                        {b:|} |
 | {b:|}          Press any key for the next page, Escape to close...           {b:|} |
 | {b:└========================================================================┘} |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘
)",
                     R"(
{r: VegaTrade }=====================================================================
 {b:┌---------------}{r: Map }{b:----------------┐}{r: Company                Price  Holdings }
 {b:|} {r:3}  .  .  .  .  .  .  {r:1}  .  .  .  . {b:|}
 {b:|} .  .  .  .  .  .  .  .  .  .  .  . {b:| no active companies}
 {b:|} .  .  .  .  {b:*}  .  .  .  .  .  {r:2}  . {b:|}
 {b:|} {b:┌==========================}{r: Help: page 3 of 4 }{b:===========================┐}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} {b:Mergers, splits and black holes}                                        {b:|}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} A sector that touches two companies merges them: the larger one        {b:|}
 {b:|} {b:|} survives (of two the same size, the one whose shares, held by all      {b:|}
 {b:|} {b:|} the players together, are worth more; then chance). Its price adds     {b:|}
 {b:└-|} the absorbed price; each absorbed share becomes half a share of the    {b:|}
 ┌/{b:|} survivor, rounded up, and their holders share a bonus of ten times     {b:|}/┐
 | {b:|} the absorbed price. A company priced above $3000 splits two for        {b:|} |
 | {b:|} one: its price halves and every holding doubles.                       {b:|} |
 | {b:|} A company whose price falls to $0 or below is lost to a black          {b:|} |
 | {b:|} hole, with every share in it.                                          {b:|} |
 | {b:|}                                                                        {b:|} |
 | {b:|}          Press any key for the next page, Escape to close...           {b:|} |
 | {b:└========================================================================┘} |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘
)",
                     R"(
{r: VegaTrade }=====================================================================
 {b:┌---------------}{r: Map }{b:----------------┐}{r: Company                Price  Holdings }
 {b:|} {r:3}  .  .  .  .  .  .  {r:1}  .  .  .  . {b:|}
 {b:|} .  .  .  .  .  .  .  .  .  .  .  . {b:| no active companies}
 {b:|} .  .  .  .  {b:*}  .  .  .  .  .  {r:2}  . {b:|}
 {b:|} {b:┌==========================}{r: Help: page 4 of 4 }{b:===========================┐}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} {b:Dividends and the end of the game}                                      {b:|}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} After each move the mover is paid 5% of the price of every share       {b:|}
 {b:|} {b:|} held, then trades. Every player starts with $6000.                     {b:|}
 {b:|} {b:|}                                                                        {b:|}
 {b:└-|} The game ends when the companies hold more than 53% of the map         {b:|}
 ┌/{b:|} (65 of its 120 sectors) while four or more sectors are still           {b:|}/┐
 | {b:|} open, or when no sector can be offered any more. The standings         {b:|} |
 | {b:|} (S) count the sectors still to be taken. The richest player wins:      {b:|} |
 | {b:|} cash plus the shares at their prices.                                  {b:|} |
 | {b:|} At the final standings R shows the record and G a chart of worths.     {b:|} |
 | {b:|}                                                                        {b:|} |
 | {b:|}                      Press any key to continue...                      {b:|} |
 | {b:└========================================================================┘} |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘
)"});
}

// Plays offer 1 and answers every announcement until the trading dialog
// is up; the game is the same on every run.
::testing::AssertionResult play_to_trading(Terminal &t) {
    return answer_until(
        t, [&] { return screen_of(t) == Screen::Trade; }, {}, 200);
}

TEST(Help, InTheTradingDialogShowsItsKeysThenTheRules) {
    Terminal t(pinned_game());
    ASSERT_TRUE(start_players(t, {"Ann"}));
    ASSERT_TRUE(play_to_trading(t));
    page_through(t, {R"(
{r: VegaTrade }=====================================================================
 {b:┌---------------}{r: Map }{b:----------------┐}{r: Company                Price  Holdings }
 {b:|} .  .  .  .  .  .  .  +  .  .  .  . {b:|}
 {b:|} .  .  .  .  .  .  .  .  .  .  .  . {b:|} Altair Starways        $1100   5
 {b:|} .  .  .  .  {b:*}  .  .  .  .  .  .  . {b:|}
 {b:|} {b:┌==========================}{r: Help: page 1 of 4 }{b:===========================┐}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} {b:Keys in the trading dialog}                                             {b:|}
 {b:|} {b:|}                                                                        {b:|}
 {b:|} {b:|} Down, J, 5 / Up, K, 8   select the next / the previous company         {b:|}
 {b:|} {b:|} Enter, Right, Ctrl-F    trade in the selected company: type a number   {b:|}
 {b:|} {b:|}                         of shares, positive to buy, negative to sell,  {b:|}
 {b:└-|}                         then Enter; m buys all the cash allows, n      {b:|}
 ┌/{b:|}                         sells every share; Enter alone trades nothing  {b:|}/┐
 | {b:|} Escape                  end the turn                                   {b:|} |
 | {b:|} S, C, R, Q, Ctrl-L, ?   as at the move prompt                          {b:|} |
 | {b:|} Ctrl-Z                  suspend the game (fg brings it back)           {b:|} |
 | {b:|} Letter keys work in either case.                                       {b:|} |
 | {b:|}                                                                        {b:|} |
 | {b:|}          Press any key for the next page, Escape to close...           {b:|} |
 | {b:└========================================================================┘} |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘
)",
                     "", "", ""});
}

}  // namespace
}  // namespace e2e
