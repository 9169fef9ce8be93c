// What the computers did, told end to end: at a person's move prompt the
// general window lists what the computer did since that person's last
// move, and R opens the whole game's record, a page a key, which Escape or
// the last page's key closes, leaving the screen as it was.
#include <map>
#include <string>
#include <vector>

#include "support/game_driver.h"

namespace e2e {
namespace {

// A two-seat game whose first turn is the computer's.
Options pinned() {
    Options options;
    options.args = {"-c"};
    options.pin_clock = PinnedClock{1992, 1250};
    return options;
}

// The game's styles, the colours of companies B and C and of outposts, and
// the players' in the chart.
// (Made on first use: GAME_STYLES is another file's static.)
const std::map<char, Style> &styles() {
    static const std::map<char, Style> all = [] {
        std::map<char, Style> styles = GAME_STYLES;
        styles['g'] = {.fg = 2, .bg = 0};
        styles['y'] = {.fg = 3, .bg = 0};
        styles['o'] = {.fg = 6, .bg = 0};
        styles['1'] = {.bold = true, .fg = 6, .bg = 0};  // the first player's line in the chart
        styles['2'] = {.bold = true, .fg = 2, .bg = 0};  // the second's
        return styles;
    }();
    return all;
}

// Plays to Bob's move prompt number `number` (from 1): the computer is
// hurried through its pauses, announcements are passed, and Bob takes the
// first offer and trades nothing.
::testing::AssertionResult to_bobs_prompt(Terminal &t, int number) {
    int prompts = 0;
    Answers answers;
    answers.computers = true;
    auto bobs_prompt = [&] {
        const auto prompt = move_prompt_of(t);
        return screen_of(t) == Screen::Move && prompt->player == "Bob" && ++prompts == number;
    };
    return answer_until(t, bobs_prompt, answers, 200);
}

// Every cell of the screen, its character and style, and the cursor.
struct Look {
    std::vector<Cell> cells;
    Position cursor;
};

Look look(const Terminal &t) {
    Look seen;
    for (int row = 0; row < t.rows(); ++row) {
        for (int col = 0; col < t.cols(); ++col) seen.cells.push_back(t.cell(row, col));
    }
    seen.cursor = t.cursor();
    return seen;
}

::testing::AssertionResult looks_as(const Terminal &t, const Look &before) {
    const Look now = look(t);
    for (std::size_t k = 0; k < now.cells.size(); ++k) {
        const Cell &was = before.cells[k];
        const Cell &is = now.cells[k];
        if (was.ch != is.ch || static_cast<const Style &>(was) != static_cast<const Style &>(is)) {
            return ::testing::AssertionFailure()
                   << "cell (" << k / 80 << ", " << k % 80 << ") was " << was << ", is " << is << "\n"
                   << t.dump();
        }
    }
    if (now.cursor != before.cursor) {
        return ::testing::AssertionFailure()
               << "the cursor was at " << before.cursor << ", is at " << now.cursor;
    }
    return ::testing::AssertionSuccess();
}

constexpr std::string_view FIRST_PROMPT = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  {r:4}  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    0
 {W:|} .  .  .  .  .  .  .  .  .  .  {r:3}  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  {r:1}  {S:*}  {r:5}  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {r:2}  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Bob (Cash: $6000) }{u://///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Bob, enter your move [1-5]:                                                {u:|}
 {u:|}                                                                            {u:|}
 {u:|} {W:Before your first move (R: the game's record):}                             {u:|}
 {u:|} Deneb (normal) 4L founded Altair; bought 10 Altair                         {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";
constexpr std::string_view FIRST_RECORD = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  {r:4}  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    0
 {W:|} .  .  .  .  .  .  .  .  .  .  {r:3}  . {W:|}
 {u:┌======================}{T: The game's record: page 2 of 2 }{u:======================┐}
 {u:|}                                                                            {u:|}
 {u:|} {W:Newest first. Sector 5C: row 5 from the top, column C from the left.}       {u:|}
 {u:|}                                                                            {u:|}
 {u:|} Deneb (normal) claimed 4L and founded Altair Starways                      {u:|}
 {u:|} Deneb (normal) bought 10 shares of Altair Starways                         {u:|}
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
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";
constexpr std::string_view THIRD_PROMPT = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    0
 {W:|} .  .  .  .  .  .  {o:+}  .  .  {y:C}  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  {g:B}  {S:*}  .  {A:A} {W:|}{g: Beetlejuice, Ltd.      }$600    5
 {W:|} .  .  {r:5}  .  @  .  .  {S:*}  .  {r:2}  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{y: Capella Freight Co.    }$600    0
 {W:|} .  .  .  .  .  {r:3}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}{R: Denebola Shippers      }$600    5
 {W:|} .  .  .  .  .  .  .  .  .  {r:1}  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  {R:D}  .  {r:4}  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Bob (Cash: $6450) }{u://///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Bob, enter your move [1-5]:                                                {u:|}
 {u:|}                                                                            {u:|}
 {u:|} {W:Since your last move (R: the game's record):}                               {u:|}
 {u:|} Deneb (normal) 3G: an outpost; bought 1 Capella                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";
constexpr std::string_view RECORD_PAGE_1 = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    0
 {W:|} .  .  .  .  .  .  {o:+}  .  .  {y:C}  .  . {W:|}
 {u:┌======================}{T: The game's record: page 2 of 3 }{u:======================┐}
 {u:|}                                                                            {u:|}
 {u:|} {W:Newest first. Sector 5C: row 5 from the top, column C from the left.}       {u:|}
 {u:|}                                                                            {u:|}
 {u:|} Deneb (normal) claimed 3G: an outpost                                      {u:|}
 {u:|} Deneb (normal) bought 1 share of Capella Freight Co.                       {u:|}
 {u:|} Bob claimed 10D and founded Denebola Shippers                              {u:|}
 {u:|} Deneb (normal) claimed 3J and founded Capella Freight Co.                  {u:|}
 {u:|} Deneb (normal) sold 15 shares of Altair Starways                           {u:|}
 {u:|} Deneb (normal) sold 5 shares of Capella Freight Co.                        {u:|}
 {u:|} Deneb (normal) bought 21 shares of Beetlejuice, Ltd.                       {u:|}
 {u:|} Bob claimed 4I and founded Beetlejuice, Ltd.                               {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}            Press any key for the next page, Escape to close...             {u:|}
 {u:└============================================================================┘}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";
constexpr std::string_view RECORD_PAGE_2 = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    0
 {W:|} .  .  .  .  .  .  {o:+}  .  .  {y:C}  .  . {W:|}
 {u:┌======================}{T: The game's record: page 3 of 3 }{u:======================┐}
 {u:|}                                                                            {u:|}
 {u:|} {W:Newest first. Sector 5C: row 5 from the top, column C from the left.}       {u:|}
 {u:|}                                                                            {u:|}
 {u:|} Deneb (normal) claimed 4L and founded Altair Starways                      {u:|}
 {u:|} Deneb (normal) bought 10 shares of Altair Starways                         {u:|}
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
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";

// Bob's first prompt lists the computer's first turn; R shows it in the
// record after the chart of the worths, and Escape closes the record. By
// his third prompt the record holds both players' turns, newest first, on
// two pages after the chart: a key turns the page and the last page's key
// closes it. In the trading dialog R opens
// the same record. Each close leaves the screen as it was.
TEST(GameRecord, ThePromptListsWhatTheComputerDidAndRShowsTheWholeRecord) {
    Terminal t(pinned());
    ASSERT_TRUE(answer_title_screen(t, {"", "Bob"}));
    ASSERT_TRUE(to_bobs_prompt(t, 1));
    EXPECT_TRUE(t.expect_screen(FIRST_PROMPT, styles(), Millis{0}));
    Look before = look(t);
    t.type("r");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(text_at(t, 5, 24, 32), " The game's record: page 1 of 2 ") << "the chart first\n" << t.dump();
    t.type("x");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(FIRST_RECORD, styles(), Millis{0}));
    t.type(key::Escape);
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(looks_as(t, before));

    ASSERT_TRUE(to_bobs_prompt(t, 3));
    EXPECT_TRUE(t.expect_screen(THIRD_PROMPT, styles(), Millis{0}));
    before = look(t);
    t.type("R");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(text_at(t, 5, 24, 32), " The game's record: page 1 of 3 ") << "the chart first\n" << t.dump();
    t.type("x");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(RECORD_PAGE_1, styles(), Millis{0}));
    t.type("x");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(RECORD_PAGE_2, styles(), Millis{0}));
    t.type("x");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(looks_as(t, before));

    t.type("1");
    ASSERT_TRUE(answer_until(t, [&] { return screen_of(t) == Screen::Trade; }));
    before = look(t);
    t.type("r");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(text_at(t, 5, 24, 32), " The game's record: page 1 of 3 ") << t.dump();
    t.type("x");
    ASSERT_TRUE(t.wait_for_key_request());
    // This turn's claim stands first, after the chart.
    EXPECT_EQ(text_at(t, 9, 3, 46), "Bob claimed 9J and founded Eridani Expediters ") << t.dump();
    t.type(key::Escape);
    ASSERT_TRUE(t.wait_for_key_request());
    // As after S, the cursor stands after the selected company's name.
    before.cursor = {GENERAL_TOP + 3, 1 + 20 + 15};
    EXPECT_TRUE(looks_as(t, before));
}

// The final standings of the pinned game, quit at Bob's third prompt, and
// the chart G shows over them (in letters: the locale is not UTF-8).
constexpr std::string_view FINAL_STANDINGS = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    0
 {W:|} .  .  .  .  .  .  {o:+}  .  .  {y:C}  .  . {W:|}
 {W:|} .  .  .{u:┌=============}{T:  GAME OVER - Final Standings  }{u:==============┐} 5
 {W:|} .  .  {r:5}{u:|}                                                          {u:|}
 {W:|} .  .  .{u:|} {H:=Player================Stock Value===Cash=====Net Worth=} {u:|} 0
 {W:|} .  .  .{u:|}                                                          {u:|}
 {W:|} .  .  .{u:|}  {W:Deneb (normal)        }$13200      $180       {W:$13380   }  {u:|} 5
 {W:|} .  .  .{u:|}  {W:Bob                   }$6000       $6450      {W:$12450   }  {u:|}
 {W:|} .  .  {S:*}{u:|}                                                          {u:|}
 {W:└--------}{u:|}          {W:Deneb (normal) wins by $930 (1.1 to 1)}          {u:|}
 {u:┌////////|}                                                          {u:|////////┐}
 {u:|}        {u:|}         Available company sectors remaining: 61          {u:|}        {u:|}
 {u:|} Bob, en{u:|}                                                          {u:|}        {u:|}
 {u:|}        {u:|} R: the record, G: the chart, any other key ends the game {u:|}        {u:|}
 {u:|} {W:Since y}{u:└==========================================================┘}        {u:|}
 {u:|} Deneb (normal) 3G: an outpost; bought 1 Capella                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";

constexpr std::string_view FINAL_CHART = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    0
 {W:|} .  .  .  .  .  .  {o:+}  .  .  {y:C}  .  . {W:|}
 {u:┌============================}{T: Net worth by turn }{u:=============================┐}
 {u:|}                                                                            {u:|}
 {u:|} {1:D} Deneb (normal)   {2:B} Bob   {W:^} a merger                                      {u:|}
 {u:|} $20000 +                                                                   {u:|}
 {u:|}        |                                                                   {u:|}
 {u:|}        |                                    {1:DDDDDDDDDDDDDDDDDDDDDDDDDDDDDD} {u:|}
 {u:|} $10000 +                              {1:DDDDDD}       {2:BBBBBB}                  {u:|}
 {u:|}        |          {1:DDDDDDDDDDDDDDDDDDDD}{2:BBBBBBBBBBBBB}                        {u:|}
 {u:|}        |    {1:DDDDDD}       {2:BBBBBB}                                            {u:|}
 {u:|}        |{1:DDDD}{2:BBBBBBBBBBBBB}                                                  {u:|}
 {u:|}  $5000 +                                                                   {u:|}
 {u:|}        ++------------+------------+------------+------------+------------+ {u:|}
 {u:|}   Turn  0            1            2            3            4            5 {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        Press any key to continue...                        {u:|}
 {u:└============================================================================┘}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";

// At the final standings R opens the record and G the chart of the worths,
// each over the standings and closing back to them as they were; Ctrl-L
// repaints them, and any other key ends the game.
TEST(GameRecord, TheFinalStandingsOpenTheRecordAndTheChart) {
    Terminal t(pinned());
    ASSERT_TRUE(answer_title_screen(t, {"", "Bob"}));
    ASSERT_TRUE(to_bobs_prompt(t, 3));
    t.type("q");
    ASSERT_TRUE(t.wait_for_screen_contains("Are you sure you want to quit (y/n)?"));
    t.type("y");
    ASSERT_TRUE(t.wait_for_screen_contains("GAME OVER - Final Standings"));
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(FINAL_STANDINGS, styles(), Millis{0}));
    const Look before = look(t);

    t.type("r");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(text_at(t, 5, 24, 32), " The game's record: page 1 of 3 ") << t.dump();
    t.type(key::Escape);
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(looks_as(t, before));

    t.type("G");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(FINAL_CHART, styles(), Millis{0}));
    t.type("x");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(looks_as(t, before));

    t.type(key::CtrlL);
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(looks_as(t, before));
    t.type("x");
    EXPECT_TRUE(ended_with(t, 2, ""));
}

// A game without computer seats shows no list at the prompt, and R opens
// nothing, at the prompt or in the trading dialog.
TEST(GameRecord, AGameOfPeopleOnlyHasNeitherTheListNorTheRecord) {
    Options options = pinned();
    options.pin_clock = PinnedClock{2026, 1210};
    Terminal t(options);
    ASSERT_TRUE(start_players(t, {"Ann", "Bob"}));
    for (int turn = 0; turn < 3; ++turn) {
        ASSERT_TRUE(t.wait_for_key_request());
        for (int row = PROMPT_ROW + 1; row < GENERAL_TOP + 10; ++row) {
            EXPECT_EQ(t.row_text(row), " |" + std::string(76, ' ') + "|") << t.dump();
        }
        const Look before = look(t);
        t.type("r");
        ASSERT_TRUE(t.wait_for_key_request());
        EXPECT_TRUE(looks_as(t, before));
        t.type("1");
        ASSERT_TRUE(answer_until(t, [&] { return screen_of(t) == Screen::Trade; }));
        const Look trading = look(t);
        t.type("R");
        ASSERT_TRUE(t.wait_for_key_request());
        EXPECT_TRUE(looks_as(t, trading));
        t.type(key::Escape);
        ASSERT_TRUE(answer_until(t, [&] { return at_move_prompt(t); }));
    }
}

}  // namespace
}  // namespace e2e
