// Computer seats end to end: Tab at a name prompt gives a seat to the
// computer, which plays through the same screens as a person at a pace
// people can follow. The tests hurry its pauses with a space, the key that
// ends a pause and does nothing else, typed only while the game pauses.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "rules/course.h"
#include "support/game_driver.h"
#include "support/match.h"

namespace e2e {
namespace {

constexpr long long GALAXY_TIME = 1992;
constexpr long long GAME_PID = 1250;

Options pinned(bool colour = true) {
    Options options;
    options.args = {colour ? "-c" : "-m"};
    options.pin_clock = PinnedClock{GALAXY_TIME, GAME_PID};
    return options;
}

// A computer's move prompt and trading dialog on the pinned galaxy.
constexpr std::string_view COMPUTER_MOVE = R"(
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
 {u:┌///////////////////////}{h: Rigel (normal) (Cash: $6000) }{u:///////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Rigel (normal), enter your move [1-5]: 2                                   {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘})";
constexpr std::string_view COMPUTER_TRADE = R"(
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
 {u:┌///////////////////////}{h: Rigel (normal) (Cash: $6150) }{u:///////////////////////┐}
 {u:|}     Arrow keys to select a company, return to trade, escape when done:     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                   {r:Altair Starways}     Amount (-5 to 10): 10                {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘})";

bool shows(const Terminal &t, std::string_view text) {
    return t.screen_text().find(text) != std::string::npos;
}

// The map's rows as text.
std::string map_rows(const Terminal &t) {
    std::string rows;
    for (int row = MAP_TOP + 1; row <= MAP_TOP + 10; ++row) rows += t.row_text(row).substr(0, 38) + "\n";
    return rows;
}

// Whether a computer's move prompt is up, and with its digit typed.
bool computer_prompt(const Terminal &t, bool with_digit) {
    const auto prompt = move_prompt_of(t);
    return prompt && prompt->row == PROMPT_ROW && prompt->player.ends_with("(normal)") &&
           prompt->typed.empty() != with_digit;
}

// Whether the general window's title is a computer's.
bool computers_turn(const Terminal &t) {
    const auto turn = turn_of(t);
    return turn && turn->player.ends_with("(normal)");
}

// Plays a game to its end: the computers are hurried through their pauses,
// and the people at the terminal take the first offer, trade nothing and
// pass every announcement. `at_pause` sees each of the computers' pauses.
::testing::AssertionResult play_to_the_end(Terminal &t, const std::function<void()> &at_pause = {}) {
    Answers answers;
    answers.computers = true;
    answers.at_pause = at_pause;
    return answer_until(
        t, [&] { return screen_of(t) == Screen::Final; }, answers);
}

TEST(ComputerSeats, TabGivesAnEmptySeatToTheComputerAndIsTypedAnywhereElse) {
    Terminal t(pinned());
    ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    t.type("\t");  // a key the number prompt ignores
    t.type("4");
    ASSERT_TRUE(wait_for_name_prompt(t, 1));
    t.type("A\tb\r");  // after a typed character, Tab is stored as typed
    ASSERT_TRUE(wait_for_name_prompt(t, 2));
    t.type("\t\r");
    ASSERT_TRUE(wait_for_name_prompt(t, 3));
    t.type("x\177\t\t");  // an erased line is empty again; a second Tab, the casual computer
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(R"(
{S:┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                    {T:* V * E * G * A ** T * R * A * D * E *}                    {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                  Please enter the number of players [1-4]: 4                 {S:$}
{S:$}                                                                              {S:$}
{S:$}                     Player 1, enter your name: A^Ib                          {S:$}
{S:$}                     Player 2, enter your name: Deneb (easy)                  {S:$}
{S:$}                     Player 3, enter your name: Rigel (casual)                {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}        Casual: once you know the rules   Tab: harder   Enter: take it        {S:$}
{S:$}                           ?: help during the game                            {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}          This program is free software, and comes with NO WARRANTY.          {S:$}
{S:$}            You may share and change it under the MIT License; see            {S:$}
{S:$}            /usr/share/doc/vegatrade/copyright (or /usr/local/...)            {S:$}
{S:$}                                                                              {S:$}
{S:└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘}
)",
                                GAME_STYLES, Millis{0}));
    EXPECT_EQ(t.cursor(), (Position{13, 63}));
    t.type("\t\t");  // normal, then hard, the hardest
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(t.row_text(13, false).substr(49, 20), "Rigel (hard)        ");
    t.type("\t\r");  // easy again, taken
    ASSERT_TRUE(wait_for_name_prompt(t, 4));
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(R"(
{S:┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                    {T:* V * E * G * A ** T * R * A * D * E *}                    {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                  Please enter the number of players [1-4]: 4                 {S:$}
{S:$}                                                                              {S:$}
{S:$}                     Player 1, enter your name: A^Ib                          {S:$}
{S:$}                     Player 2, enter your name: Deneb (easy)                  {S:$}
{S:$}                     Player 3, enter your name: Rigel (easy)                  {S:$}
{S:$}                     Player 4, enter your name:                               {S:$}
{S:$}                                                                              {S:$}
{S:$}                      Tab: the computer plays this seat                       {S:$}
{S:$}                           ?: help during the game                            {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}          This program is free software, and comes with NO WARRANTY.          {S:$}
{S:$}            You may share and change it under the MIT License; see            {S:$}
{S:$}            /usr/share/doc/vegatrade/copyright (or /usr/local/...)            {S:$}
{S:$}                                                                              {S:$}
{S:└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘}
)",
                                GAME_STYLES, Millis{0}));
    EXPECT_EQ(t.cursor(), (Position{14, 49}));
}

// One person and three computers: each computer's turn shows the same
// screens as a person's, and the game plays to its end.
// In a language of wide characters the hint row still says, centred inside
// the frame, what the strength on the name line is for: here the hardest,
// after three Tabs, in Chinese.
TEST(ComputerSeats, TheHintRowSaysWhatTheStrengthIsForInChinese) {
    Options options = pinned();
    options.env["LANG"] = "C.UTF-8";
    options.env["LANGUAGE"] = "zh_CN";
    Terminal t(options);
    ASSERT_TRUE(t.wait_for_key_request());
    t.type("2");
    ASSERT_TRUE(t.wait_for_key_request());
    t.type("Ann\r\t\t\t\t");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(R"(
{S:┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                    {T:* V * E * G * A ** T * R * A * D * E *}                    {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                           请输入玩家人数 [1-4]： 2                           {S:$}
{S:$}                                                                              {S:$}
{S:$}                      玩家 1，请输入你的名字： Ann                            {S:$}
{S:$}                      玩家 2，请输入你的名字： Deneb（困难）                  {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                 困难：适合老手   Tab：回到简单   回车：确定                  {S:$}
{S:$}                              ?：游戏中查看帮助                               {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                      本程序是自由软件，不提供任何担保。                      {S:$}
{S:$}                   你可以按照 MIT 许可证分享和修改它；参见                    {S:$}
{S:$}           /usr/share/doc/vegatrade/copyright（或 /usr/local/...）            {S:$}
{S:$}                                                                              {S:$}
{S:└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘}
)",
                                GAME_STYLES, Millis{0}));
    EXPECT_EQ(t.cursor(), (Position{12, 61}));  // after the name, 13 columns wide
}

TEST(ComputerSeats, OnePersonAndThreeComputersPlayToTheEnd) {
    Terminal t(pinned());
    ASSERT_TRUE(answer_title_screen(t, {"Ann", "", "", ""}));
    int move_prompts = 0;
    int trades = 0;
    ASSERT_TRUE(play_to_the_end(t, [&] {
        // The first computer's move, its digit typed and the offers still
        // marked; then its first trade, the amount typed at the prompt.
        if (computer_prompt(t, true) && move_prompts++ == 0) {
            EXPECT_TRUE(t.expect_screen(COMPUTER_MOVE, GAME_STYLES, Millis{0}));
        }
        if (computers_turn(t) && screen_of(t) == Screen::Amount && trades++ == 0) {
            EXPECT_TRUE(t.expect_screen(COMPUTER_TRADE, GAME_STYLES, Millis{0}));
        }
    }));
    EXPECT_GE(move_prompts, 10);
    EXPECT_GE(trades, 3);
    t.type(" ");
    EXPECT_TRUE(ended_with(t, 0, ""));
}

// Q or Ctrl-C during a computer's turn asks to quit, as at the move prompt:
// a declined quit goes on with the same offers, a confirmed one ends the
// game with the final standings and status 2.
TEST(ComputerSeats, QuitKeysDuringAComputersTurnAskToQuit) {
    const struct {
        const char *key;
        const char *answer;
        bool quits;
    } cases[] = {{"\x03", "n", false}, {"q", "y", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        Terminal t(pinned());
        ASSERT_TRUE(answer_title_screen(t, {"", "Bob"}));
        std::string offers;
        ASSERT_TRUE(hurry_to_a_person(t, [&] {
            if (!computer_prompt(t, false)) return true;
            offers = map_rows(t);
            return false;
        }));
        ASSERT_NE(offers, "") << "no computer's move prompt came before Bob's\n" << t.dump();
        t.type(c.key);
        ASSERT_TRUE(t.wait_for_key_request());
        ASSERT_TRUE(t.wait_for_screen_contains("Are you sure you want to quit (y/n)?"));
        t.type(c.answer);
        if (c.quits) {
            ASSERT_TRUE(t.wait_for_key_request());
            EXPECT_EQ(screen_of(t), Screen::Final);
            t.type(" ");
            EXPECT_TRUE(ended_with(t, 2, ""));
            continue;
        }
        // The computer goes on: its digit, with the same offers on the map.
        ASSERT_TRUE(t.wait_for([&] { return t.pausing() && computer_prompt(t, true); }));
        EXPECT_EQ(map_rows(t), offers);
        EXPECT_NE(screen_of(t), Screen::Quit);
    }
}

// Any other key during a computer's turn only ends the pause it came in:
// a digit claims nothing, a letter that is no key does nothing, and Ctrl-L
// repaints.
TEST(ComputerSeats, OtherKeysDuringAComputersTurnOnlyHurryIt) {
    for (const char *key : {"4", "x", "\x0c"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(key)));
        Terminal t(pinned());
        ASSERT_TRUE(answer_title_screen(t, {"", "Bob"}));
        ASSERT_TRUE(t.wait_for([&] { return t.pausing() && computer_prompt(t, false); }));
        const std::string offers = map_rows(t);
        t.type(key);
        ASSERT_TRUE(t.wait_for([&] { return t.pausing() && computer_prompt(t, true); }));
        EXPECT_EQ(map_rows(t), offers);
        EXPECT_EQ(screen_of(t), Screen::Move) << "no window opened";
    }
}

// The standings opened by S while the computer's offers stand.
constexpr std::string_view STANDINGS_OVER_OFFERS = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  {r:1}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  {r:5}  .  .  .  . {W:| no active companies}
 {W:|} .  .  .  .  .  .  .  {r:4}  .  .  .  . {W:|}
 {W:|} .  .  .{u:┌==================}{T:  Current Standings  }{u:===================┐}
 {W:|} .  .  .{u:|}                                                          {u:|}
 {W:|} .  .  .{u:|} {H:=Player================Stock Value===Cash=====Net Worth=} {u:|}
 {W:|} .  .  .{u:|}                                                          {u:|}
 {W:|} .  .  .{u:|}  {W:Deneb (normal)        }$0          $6000      {W:$6000    }  {u:|}
 {W:|} .  .  .{u:|}  {W:Bob                   }$0          $6000      {W:$6000    }  {u:|}
 {W:|} .  .  {S:*}{u:|}                                                          {u:|}
 {W:└--------}{u:|}         Available company sectors remaining: 65          {u:|}
 {u:┌////////|}                                                          {u:|////////┐}
 {u:|}        {u:|}               Press any key to continue...               {u:|}        {u:|}
 {u:|} Deneb ({u:└==========================================================┘}        {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";

// S, C, ? and R during a computer's turn open their windows as at a
// person's prompt (the help with the keys of the prompt the computer is
// at; the company report once a company is active), and the turn waits: nothing changes while the window is
// up, however long. The key that closes it brings back the step as it was, which then stays its time before
// the computer goes on.
TEST(ComputerSeats, WindowKeysDuringAComputersTurnOpenTheirWindowsWhileTheTurnWaits) {
    const struct {
        const char *key;
        bool trading;        // typed at a step of the computer's trading, else at its offers
        const char *window;  // a text of the window
        int pages;
    } cases[] = {
        {"s", false, " Current Standings ", 1},       {"C", true, " Detailed Company Information ", 1},
        {"?", false, "Keys at the move prompt", 4},   {"r", false, " The game's record: page 1 of 1 ", 1},
        {"?", true, "Keys in the trading dialog", 4}, {"S", true, " Current Standings ", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.key)) + (c.trading ? " while trading" : ""));
        Terminal t(pinned());
        ASSERT_TRUE(answer_title_screen(t, {"", "Bob"}));
        // The computer's first pause at its offers, or at a typed amount;
        // its announcements are passed on the way.
        bool there = false;
        for (int keys = 0; !there && keys < 20; ++keys) {
            ASSERT_TRUE(hurry_to_a_person(t, [&] {
                there = c.trading ? screen_of(t) == Screen::Amount : computer_prompt(t, false);
                return !there;
            }));
            if (!there) t.type(" ");
        }
        ASSERT_TRUE(there) << t.dump();
        const std::string before = t.screen_text();
        t.type(c.key);
        ASSERT_TRUE(t.wait_for_key_request());
        ASSERT_TRUE(shows(t, c.window)) << t.dump();
        if (std::string_view(c.key) == "s") {
            EXPECT_TRUE(t.expect_screen(STANDINGS_OVER_OFFERS, GAME_STYLES, Millis{0}));
        }
        // Longer than any step of the computer's turn stays.
        const std::string shown = t.screen_text();
        t.wait_until_quiet(Millis{1200}, Millis{3000});
        EXPECT_TRUE(t.awaiting_key());
        EXPECT_EQ(t.screen_text(), shown);
        for (int page = 0; page < c.pages; ++page) {
            ASSERT_TRUE(t.wait_for_key_request());
            t.type(" ");
        }
        ASSERT_TRUE(t.wait_for([&] { return t.pausing(); }));
        EXPECT_EQ(t.screen_text(), before);
        ASSERT_TRUE(hurry_to_a_person(t));
        EXPECT_NE(t.screen_text(), before);
    }
}

// When every seat is the computer's, nobody need press a key until the
// final standings, which wait for one.
TEST(ComputerSeats, FourComputersPlayToTheEndByThemselves) {
    Terminal t(pinned(false));
    ASSERT_TRUE(answer_title_screen(t, {"", "", "", ""}));
    ASSERT_TRUE(hurry_to_a_person(t));
    EXPECT_EQ(screen_of(t), Screen::Final) << t.dump();
    t.type(" ");
    EXPECT_TRUE(ended_with(t, 0, ""));
}

// One player's row of the final standings: stock value and cash (the net
// worth beside them is their sum, and may stand cut at the window's border
// in games as rich as these).
struct Standing {
    long long stock;
    long long cash;
    bool operator==(const Standing &) const = default;
};

void PrintTo(const Standing &standing, std::ostream *out) {
    *out << "{$" << standing.stock << ", $" << standing.cash << "}";
}

// The rows of the standings on the screen, richest first, as they read.
std::vector<Standing> standings_on_screen(const Terminal &t) {
    std::vector<Standing> rows;
    bool below_header = false;
    for (int row = 0; row < t.rows(); ++row) {
        const std::string text = t.row_text(row);
        if (text.find("=Player===") != std::string::npos) {
            below_header = true;
            continue;
        }
        const auto first = text.find('$');
        Standing standing{};
        if (below_header && first != std::string::npos &&
            std::sscanf(text.c_str() + first, "$%lld $%lld", &standing.stock, &standing.cash) == 2) {
            rows.push_back(standing);
        }
    }
    return rows;
}

// The same game played on the rules alone, through the course of a game
// with the computer's seat that the tournament uses: the game's generator
// seeded as the pinned game seeds it, the time before the galaxy and the
// process id before the first player.
std::vector<Standing> standings_on_the_rules(long long time, long long pid, int players) {
    std::srand(static_cast<unsigned>(time));
    Game game;
    open_game(game, c_library_random());
    std::srand(static_cast<unsigned>(pid));
    seat_players(game, players, c_library_random());
    match::ComputerSeat computer;
    const TurnSeat seat = match::turn_seat(computer);
    while (play_turn(game, c_library_random(), seat)) {
    }
    EXPECT_EQ(computer.untaken_trades, 0) << "planned trades the trading dialog could not take";
    int order[MAX_PLAYERS];
    rank_players(game, order);
    std::vector<Standing> rows;
    for (int place = 0; place < game.num_players; ++place) {
        const int p = order[place];
        rows.push_back({stock_value(game, p), game.players[p].cash});
    }
    return rows;
}

// What the computer plays on the screens is what is measured: pinned games
// with every seat the computer's end in the same final standings through
// the terminal as on the rules alone.
TEST(ComputerSeats, EveryComputerGameEndsAsOnTheRulesAlone) {
    const struct {
        long long time;
        long long pid;
        int players;
    } games[] = {{1992, 1250, 2}, {777, 31337, 3}, {2026, 4242, 4}};
    for (const auto &game : games) {
        SCOPED_TRACE(::testing::Message()
                     << game.players << " computers, time " << game.time << ", pid " << game.pid);
        Options options = pinned(false);
        options.pin_clock = PinnedClock{game.time, game.pid};
        Terminal t(options);
        ASSERT_TRUE(answer_title_screen(t, std::vector<std::string>(static_cast<std::size_t>(game.players))));
        ASSERT_TRUE(t.wait_for([&] { return computers_turn(t); }));  // the title screen is gone
        ASSERT_TRUE(hurry_to_a_person(t));
        ASSERT_EQ(screen_of(t), Screen::Final) << t.dump();
        EXPECT_EQ(standings_on_screen(t), standings_on_the_rules(game.time, game.pid, game.players))
            << t.dump();
        t.type(" ");
        EXPECT_TRUE(ended_with(t, 0, ""));
    }
}

// Input that ends during a computer's pause ends the game at once, as at
// any prompt: a pause tells a failed read from the end of its time.
TEST(ComputerSeats, InputLostDuringAComputersPauseEndsTheGame) {
    for (const bool hang_up : {false, true}) {
        SCOPED_TRACE(hang_up ? "hang-up" : "end of file");
        Options options = pinned(false);
        options.stdin_pipe = !hang_up;
        Terminal t(options);
        ASSERT_TRUE(answer_title_screen(t, {"", ""}));
        ASSERT_TRUE(t.wait_for([&] { return t.pausing() && computer_prompt(t, false); }));
        const std::size_t written = t.output_bytes().size();
        if (hang_up) {
            t.hangup();
        } else {
            t.close_input();
        }
        const auto status = t.wait_exit(Millis{1000});
        ASSERT_TRUE(status.has_value()) << "still running a second after the input was lost\n" << t.dump();
        EXPECT_EQ(*status, ExitStatus::exited(1));
        EXPECT_EQ(t.stderr_text(), "vegatrade: input closed\n");
        // Nothing more of the game: only what restores the terminal.
        EXPECT_LT(t.output_bytes().size() - written, 100u) << "the game went on after its input ended";
        if (!hang_up) {
            EXPECT_TRUE(t.modes_restored());
        }
    }
}

}  // namespace
}  // namespace e2e
