// A scripted game on a pinned galaxy, from the first key to the exit
// status, with every screen it passes shown as the test expects it: Ann
// founds Altair Starways next to a star and buys all she can, Bob grows
// the company next to another star and buys three shares, and Ann quits at
// her next turn. The pinned clock and process id fix the galaxy, the first
// player and the offers; the script reads each offer's digit off the map.
// Each test checks one part of the script; its fixture first plays the
// parts before it with the same keys.
#include <string>

#include "support/game_driver.h"

namespace e2e {
namespace {

constexpr long long GALAXY_TIME = 1992;
constexpr long long GAME_PID = 1250;

// The sectors the script claims, by pos (row * 12 + column).
constexpr int FOUNDING_SECTOR = 3 * 12 + 11;  // a star to the south
constexpr int GROWTH_SECTOR = 3 * 12 + 10;    // the company to the east, a star to the west

// Waits until the game asks for a key, then checks the whole screen and
// the cursor.
::testing::AssertionResult shows(Terminal &t, std::string_view picture, Position cursor) {
    auto waiting = t.wait_for_key_request();
    if (!waiting) return waiting;
    auto screen = t.expect_screen(picture, GAME_STYLES, Millis{0});
    if (!screen) return screen;
    if (t.cursor() != cursor)
        return ::testing::AssertionFailure() << "the cursor is at " << t.cursor() << ", not " << cursor;
    return ::testing::AssertionSuccess();
}

// The key of the offer on sector `pos`: the digit marked there on the map.
std::string offer_key(const Terminal &t, int pos) {
    for (const Offer &offer : offers_on_map(t)) {
        if (offer.pos == pos && offer.marked && offer.digit <= 5) return std::to_string(offer.digit);
    }
    return "";
}

Options pinned_game() {
    Options options;
    options.args = {"-c"};
    options.pin_clock = PinnedClock{GALAXY_TIME, GAME_PID};
    return options;
}

// The pinned game, brought to a point of the script by the keys that lead
// there, each typed once the game asks for it.
class ScriptedGame : public ::testing::Test {
  protected:
    ScriptedGame() : t(pinned_game()) {}

    // Types `keys` once the game asks for them, and checks the screen they lead to.
    ::testing::AssertionResult step(std::string_view keys, Screen next) {
        auto ready = t.wait_for_key_request();
        if (!ready) return ready;
        t.type(keys);
        auto waiting = t.wait_for_key_request();
        if (!waiting) return waiting;
        if (screen_of(t) != next)
            return ::testing::AssertionFailure() << "not the " << next << " after the script's keys\n"
                                                 << t.dump();
        return ::testing::AssertionSuccess();
    }

    // Ann's first move prompt.
    ::testing::AssertionResult at_first_prompt() {
        auto started = start_players(t, {"Ann", "Bob"});
        if (!started) return started;
        auto waiting = t.wait_for_key_request();
        if (!waiting) return waiting;
        const auto prompt = move_prompt_of(t);
        if (!prompt || prompt->player != "Ann")
            return ::testing::AssertionFailure() << "the first move is not Ann's\n" << t.dump();
        return ::testing::AssertionSuccess();
    }

    // Ann has founded Altair Starways and bought all she can.
    ::testing::AssertionResult ann_has_bought() {
        auto before = at_first_prompt();
        if (!before) return before;
        const std::string found_key = offer_key(t, FOUNDING_SECTOR);
        if (found_key.empty()) return ::testing::AssertionFailure() << "the founding sector is not offered";
        auto founded = step(found_key, Screen::Announcement);
        if (!founded) return founded;
        if (announcement_of(t).kind != News::Founding)
            return ::testing::AssertionFailure() << "no founding\n" << t.dump();
        auto trading = step("\r", Screen::Trade);
        if (!trading) return trading;
        auto asked = step("\r", Screen::Amount);
        if (!asked) return asked;
        return step("m\r", Screen::Trade);
    }

    // Bob has grown the company and is in the trading dialog.
    ::testing::AssertionResult bob_has_grown() {
        auto before = ann_has_bought();
        if (!before) return before;
        auto bobs_turn = step(key::Escape, Screen::Move);
        if (!bobs_turn) return bobs_turn;
        const std::string grow_key = offer_key(t, GROWTH_SECTOR);
        if (grow_key.empty())
            return ::testing::AssertionFailure() << "the growth sector is not offered to Bob";
        return step(grow_key, Screen::Trade);
    }

    // Bob has bought three shares and is still trading.
    ::testing::AssertionResult bob_has_bought() {
        auto before = bob_has_grown();
        if (!before) return before;
        auto asked = step(std::string(key::Down) + std::string(key::Right), Screen::Amount);
        if (!asked) return asked;
        return step("3\r", Screen::Trade);
    }

    Terminal t;
};

// Ann moves first, on the galaxy of the pinned clock with five offers; the
// standings before anything happened close back to her prompt.
TEST_F(ScriptedGame, AnnMovesFirstAndTheStandingsStartEven) {
    ASSERT_TRUE(at_first_prompt());
    ASSERT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  {r:1}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  {r:5}  .  .  .  . {W:| no active companies}
 {W:|} .  .  .  .  .  .  .  {r:4}  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  .  {r:2} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  {r:3}  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Ann, enter your move [1-5]:                                                {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {15, 31}));

    // The standings before anything happened: equal net worths in player
    // order, 65 sectors to go.
    t.type("s");
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  {r:1}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  {r:5}  .  .  .  . {W:| no active companies}
 {W:|} .  .  .  .  .  .  .  {r:4}  .  .  .  . {W:|}
 {W:|} .  .  .{u:┌==================}{T:  Current Standings  }{u:===================┐}
 {W:|} .  .  .{u:|}                                                          {u:|}
 {W:|} .  .  .{u:|} {H:=Player================Stock Value===Cash=====Net Worth=} {u:|}
 {W:|} .  .  .{u:|}                                                          {u:|}
 {W:|} .  .  .{u:|}  {W:Ann                   }$0          $6000      {W:$6000    }  {u:|}
 {W:|} .  .  .{u:|}  {W:Bob                   }$0          $6000      {W:$6000    }  {u:|}
 {W:|} .  .  {S:*}{u:|}                                                          {u:|}
 {W:└--------}{u:|}         Available company sectors remaining: 65          {u:|}
 {u:┌////////|}                                                          {u:|////////┐}
 {u:|}        {u:|}               Press any key to continue...               {u:|}        {u:|}
 {u:|} Ann, en{u:└==========================================================┘}        {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {14, 54}));
    t.type("x");
    ASSERT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  {r:1}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  {r:5}  .  .  .  . {W:| no active companies}
 {W:|} .  .  .  .  .  .  .  {r:4}  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  .  {r:2} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  {r:3}  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Ann, enter your move [1-5]:                                                {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {15, 31}));
}

// Ann founds Altair Starways next to one star: price 100 + 500, and the
// panel lists it before the announcement. Her dividend is 5 shares x 5% of
// $600, then she buys all she can: 10.
TEST_F(ScriptedGame, AnnFoundsACompanyAndBuysAllSheCan) {
    ASSERT_TRUE(at_first_prompt());
    const std::string found_key = offer_key(t, FOUNDING_SECTOR);
    ASSERT_NE(found_key, "") << "the founding sector is offered";
    t.type(found_key);
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    5
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  .  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌//////////////////////////}{B: Special Announcement! }{u:///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|}                  {W:A new shipping company has been formed!}                   {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        {W:Its name is Altair Starways}                         {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        Press any key to continue...                        {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {20, 54}));

    // Her dividend, 5 shares x 5% of $600, then she buys all she can: 10.
    t.type("\r");
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    5
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  .  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Ann (Cash: $6150) }{u://///////////////////////////┐}
 {u:|}     Arrow keys to select a company, return to trade, escape when done:     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                   {r:Altair Starways}                                          {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {16, 36}));
    t.type("\r");
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    5
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  .  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Ann (Cash: $6150) }{u://///////////////////////////┐}
 {u:|}     Arrow keys to select a company, return to trade, escape when done:     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                   {r:Altair Starways}     Amount (-5 to 10):                   {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {16, 60}));
    t.type("m\r");
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    15
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  .  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌/////////////////////////////}{h: Ann (Cash: $150) }{u://///////////////////////////┐}
 {u:|}     Arrow keys to select a company, return to trade, escape when done:     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                   {r:Altair Starways}                                          {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {16, 36}));
}

// Bob's move grows the company next to a second star: 600 + 100 + 500.
TEST_F(ScriptedGame, BobGrowsTheCompanyNextToASecondStar) {
    ASSERT_TRUE(ann_has_bought());
    t.type(key::Escape);
    EXPECT_TRUE(shows(t, R"screen(
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
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {15, 31}));
    const std::string grow_key = offer_key(t, GROWTH_SECTOR);
    ASSERT_NE(grow_key, "") << "the growth sector is offered to Bob";
    t.type(grow_key);
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$1200   0
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  {A:A}  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Bob (Cash: $6000) }{u://///////////////////////////┐}
 {u:|}     Arrow keys to select a company, return to trade, escape when done:     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                   {r:Altair Starways}                                          {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {16, 36}));
}

// The report counts every player's shares: Ann's 15 at $1200. Then Bob
// buys three shares.
TEST_F(ScriptedGame, TheReportCountsEveryonesSharesAndBobBuysThree) {
    ASSERT_TRUE(bob_has_grown());
    t.type("c");
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$1200   0
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  . {u:┌==========}{T: Detailed Company Information }{u:==========┐}
 {W:|} .  .  .  . {u:|}                                                  {u:|}
 {W:|} .  .  .  . {u:|}{H: Company name          Price   Size   Total Worth }{u:|}
 {W:|} .  .  .  . {u:|}                                                  {u:|}
 {W:|} .  .  .  . {u:|} {A:Altair Starways       }$1200    2      {W:$18000    } {u:|}
 {W:|} .  .  .  . {u:|}                                                  {u:|}
 {W:|} .  .  {S:*}  . {u:|}           Press any key to continue...           {u:|}
 {W:└------------}{u:└==================================================┘}
 {u:┌////////////////////////////}{h: Bob (Cash: $6000) }{u://///////////////////////////┐}
 {u:|}     Arrow keys to select a company, return to trade, escape when done:     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                   {r:Altair Starways}                                          {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {11, 54}));
    t.type(key::Down);
    t.type(key::Right);
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$1200   0
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  {A:A}  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Bob (Cash: $6000) }{u://///////////////////////////┐}
 {u:|}     Arrow keys to select a company, return to trade, escape when done:     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                   {r:Altair Starways}     Amount (0 to 5):                     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {16, 58}));
    t.type("3\r");
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$1200   3
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  {A:A}  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Bob (Cash: $2400) }{u://///////////////////////////┐}
 {u:|}     Arrow keys to select a company, return to trade, escape when done:     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                   {r:Altair Starways}                                          {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {16, 36}));
}

// Ann's turn again: a declined quit, then a confirmed one, the final
// standings and the banner after them.
TEST_F(ScriptedGame, AnnDeclinesToQuitThenQuits) {
    ASSERT_TRUE(bob_has_bought());
    t.type(key::Escape);
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$1200   15
 {W:|} .  .  {r:1}  .  .  .  .  .  .  {r:2}  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  {A:A}  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  {r:3}  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} {r:5}  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  {r:4}  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌/////////////////////////////}{h: Ann (Cash: $150) }{u://///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Ann, enter your move [1-5]:                                                {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {15, 31}));
    t.type("q");
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$1200   15
 {W:|} .  .  {r:1}  .  .  .  .  .  .  {r:2}  .  . {W:|}
 {W:|} .  .  .  .  .  .{R:┌=============}{q: Really Quit? }{R:=============┐}
 {W:|} .  .  .  .  @  .{R:|}                                        {R:|}
 {W:|} .  {r:3}  .  .  .  .{R:|} {S:Are you sure you want to quit (y/n)? }  {R:|}
 {W:|} .  .  .  .  .  .{R:|}                                        {R:|}
 {W:|} {r:5}  .  .  .  .  {S:*}{R:└========================================┘}
 {W:|} .  .  .  .  .  .  .  {r:4}  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌/////////////////////////////}{h: Ann (Cash: $150) }{u://///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Ann, enter your move [1-5]:                                                {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {7, 58}));
    t.type("n");
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$1200   15
 {W:|} .  .  {r:1}  .  .  .  .  .  .  {r:2}  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  {A:A}  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  {r:3}  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} {r:5}  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  {r:4}  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌/////////////////////////////}{h: Ann (Cash: $150) }{u://///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Ann, enter your move [1-5]:                                                {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {15, 31}));
    t.type(key::CtrlC);
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$1200   15
 {W:|} .  .  {r:1}  .  .  .  .  .  .  {r:2}  .  . {W:|}
 {W:|} .  .  .  .  .  .{R:┌=============}{q: Really Quit? }{R:=============┐}
 {W:|} .  .  .  .  @  .{R:|}                                        {R:|}
 {W:|} .  {r:3}  .  .  .  .{R:|} {S:Are you sure you want to quit (y/n)? }  {R:|}
 {W:|} .  .  .  .  .  .{R:|}                                        {R:|}
 {W:|} {r:5}  .  .  .  .  {S:*}{R:└========================================┘}
 {W:|} .  .  .  .  .  .  .  {r:4}  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌/////////////////////////////}{h: Ann (Cash: $150) }{u://///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Ann, enter your move [1-5]:                                                {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {7, 58}));
    t.type("y");
    EXPECT_TRUE(shows(t, R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$1200   15
 {W:|} .  .  {r:1}  .  .  .  .  .  .  {r:2}  .  . {W:|}
 {W:|} .  .  .{u:┌=============}{T:  GAME OVER - Final Standings  }{u:==============┐}
 {W:|} .  .  .{u:|}                                                          {u:|}
 {W:|} .  {r:3}  .{u:|} {H:=Player================Stock Value===Cash=====Net Worth=} {u:|}
 {W:|} .  .  .{u:|}                                                          {u:|}
 {W:|} {r:5}  .  .{u:|}  {W:Ann                   }$18000      $150       {W:$18150   }  {u:|}
 {W:|} .  .  .{u:|}  {W:Bob                   }$3600       $2400      {W:$6000    }  {u:|}
 {W:|} .  .  {S:*}{u:|}                                                          {u:|}
 {W:└--------}{u:|}              {W:Ann wins by $12150 (3.0 to 1)}               {u:|}
 {u:┌////////|}                                                          {u:|////////┐}
 {u:|}        {u:|}         Available company sectors remaining: 63          {u:|}        {u:|}
 {u:|} Ann, en{u:|}                                                          {u:|}        {u:|}
 {u:|}        {u:|} R: the record, G: the chart, any other key ends the game {u:|}        {u:|}
 {u:|}        {u:└==========================================================┘}        {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                      {16, 68}));
    t.type("\r");
    EXPECT_TRUE(ended_with(t, 2, ""));
    const std::string &output = t.output_bytes();
    EXPECT_TRUE(output.ends_with(" v1.2.2 29-Mar-1997\r\n") || output.ends_with(" v1.2.2 29-Mar-1997\n"))
        << "the banner comes last";
}

}  // namespace
}  // namespace e2e
