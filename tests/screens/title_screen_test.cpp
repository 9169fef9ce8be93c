// The title screen and player setup: the screen, the number of players, the
// first player and the names.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "flow/flow.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;
using headless::Utf8CursesTest;

// The title screen and the seating after it, as main runs them: the game
// gets the players, their names and the first to move, the table its
// seats, and `strengths` (when given) each seat's strength.
void set_up_players(Game &game, Table &table, Strength *strengths = nullptr) {
    Match match{};
    match.game = game;
    seat_lineup(match, setup_players());
    game = match.game;
    table = match.table;
    for (int p = 0; strengths != nullptr && p < MAX_PLAYERS; ++p) strengths[p] = match.players[p].strength;
}

class TitleTest : public CursesTest {
  protected:
    void SetUp() override {
        CursesTest::SetUp();
        set_escdelay(25);
    }

    std::string name(int player) const { return game.players[player].name; }
};

TEST_F(TitleTest, TitleScreenShowsItsTextsInTheirPlacesAndAttributes) {
    for (const int color : {1, 0}) {
        SCOPED_TRACE(color ? "colour" : "mono");
        open_screen(25, 80, color);
        type("1Al\r");
        set_up_players(game, table);

        const headless::Styles styles = color
                                            ? headless::Styles{{'$', A_BOLD | pair_attr(PAIR_YELLOW)},
                                                               {'*', A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE)}}
                                            : headless::Styles{{'$', A_NORMAL}, {'*', A_REVERSE}};
        EXPECT_TRUE(headless::expect_window(stdscr, R"(
{$:┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐}
{$:$}                                                                              {$:$}
{$:$}                                                                              {$:$}
{$:$}                                                                              {$:$}
{$:$}                                                                              {$:$}
{$:$}                                                                              {$:$}
{$:$}                    {*:* V * E * G * A ** T * R * A * D * E *}                    {$:$}
{$:$}                                                                              {$:$}
{$:$}                                                                              {$:$}
{$:$}                  Please enter the number of players [1-4]: 1                 {$:$}
{$:$}                                                                              {$:$}
{$:$}                     Player 1, enter your name: Al                            {$:$}
{$:$}                                                                              {$:$}
{$:$}                                                                              {$:$}
{$:$}                                                                              {$:$}
{$:$}                                                                              {$:$}
{$:$}                      Tab: the computer plays this seat                       {$:$}
{$:$}                           ?: help during the game                            {$:$}
{$:$}                                                                              {$:$}
{$:$}                                                                              {$:$}
{$:$}          This program is free software, and comes with NO WARRANTY.          {$:$}
{$:$}            You may share and change it under the MIT License; see            {$:$}
{$:$}            /usr/share/doc/vegatrade/copyright (or /usr/local/...)            {$:$}
{$:$}                                                                              {$:$}
{$:└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘}
)",
                                            styles));
        EXPECT_EQ(game.num_players, 1);
        EXPECT_EQ(game.current_player, 0);
        EXPECT_EQ(name(0), "Al");
        EXPECT_TRUE(is_keypad(stdscr));
    }
}

TEST_F(TitleTest, OnlyADigitFromOneToFourAnswersTheNumberPrompt) {
    type(std::string("05x\r") + headless::KEY_SEQ_UP + "\x0cQ" + "3" + "A\rB\rC\r");
    set_up_players(game, table);
    EXPECT_EQ(game.num_players, 3);
    EXPECT_TRUE(headless::expect_window(stdscr, headless::Area{9, 1, 6, 78}, R"(
                  Please enter the number of players [1-4]: 3

                     Player 1, enter your name: A
                     Player 2, enter your name: B
                     Player 3, enter your name: C
)"));
}

TEST_F(TitleTest, EachPlayerIsAskedUntilANameIsGiven) {
    std::srand(static_cast<unsigned>(getpid()));
    const int first = std::rand() % 3;
    const int next_draw = std::rand();

    // An empty name and a name of blanks only are asked again on their row;
    // the blanks round a name that shows something stay.
    type("3Ann\r\rBob\r   \r C \r");
    set_up_players(game, table);
    EXPECT_EQ(game.current_player, first);
    EXPECT_EQ(std::rand(), next_draw) << "only the first player is drawn";

    const char *const names[] = {"Ann", "Bob", " C "};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(name(i), names[i]);
    EXPECT_TRUE(headless::expect_window(stdscr, headless::Area{9, 1, 6, 78}, R"(
                  Please enter the number of players [1-4]: 3

                     Player 1, enter your name: Ann
                     Player 2, enter your name: Bob
                     Player 3, enter your name:  C
)"));
    EXPECT_EQ(name(3), "") << "a record beyond the players keeps its default";
}

// On a layout wider than 80 columns the prompts move right, and each name
// is echoed right after its prompt.
TEST_F(TitleTest, NamesAreEchoedAfterTheirPromptOnAWideLayout) {
    open_screen(25, 100, 0);
    screen_cols = 100;
    type("2Ann\rBob\r");
    set_up_players(game, table);
    EXPECT_TRUE(headless::expect_window(stdscr, headless::Area{9, 1, 4, 98}, R"(
                            Please enter the number of players [1-4]: 2

                               Player 1, enter your name: Ann
                               Player 2, enter your name: Bob
)"));
    EXPECT_EQ(getcurx(stdscr), 62);
}

// In a UTF-8 locale the characters that print as empty space make a blank
// name too: an ideographic space and a no-break space.
TEST_F(Utf8CursesTest, ANameOfWideBlanksIsAskedAgain) {
    type("1\xe3\x80\x80\xc2\xa0\rZo\xc3\xab\r");
    set_up_players(game, table);
    EXPECT_STREQ(game.players[0].name, "Zoë");
}

TEST_F(TitleTest, NamesAreStoredAsTypedAndShownVisibly) {
    const struct {
        const char *keys;
        const char *name;
        const char *row;  // the name's row
    } cases[] = {
        {"1%s%n%x\r", "%s%n%x", "                     Player 1, enter your name: %s%n%x"},
        {"1a\033b\r", "a\033b", "                     Player 1, enter your name: a^[b"},
    };
    for (const auto &c : cases) {
        open_screen(25, 80, 1);
        type(c.keys);
        set_up_players(game, table);
        EXPECT_EQ(name(0), c.name);
        EXPECT_TRUE(headless::expect_window(stdscr, headless::Area{11, 1, 1, 78}, c.row));
    }
}

// Tab on an empty name line offers the seat to the computer at the easiest
// strength, each further Tab the next harder one and after the hardest the
// easiest again; Enter gives the seat at the strength its name shows,
// Backspace empties the line for a person's name. Every key is typed for
// two players; the second takes the first star no computer before it took.
TEST_F(TitleTest, TabChoosesTheComputersStrengthAndEnterGivesItTheSeat) {
    const struct {
        const char *keys;
        const char *first;
        const char *second;
        bool computer[2];
        Strength strength[2];
    } cases[] = {
        {"2\t\r\t\r", "Deneb (easy)", "Rigel (easy)", {true, true}, {Strength::EASY, Strength::EASY}},
        {"2\t\t\rBo\r", "Deneb (casual)", "Bo", {true, false}, {Strength::CASUAL, Strength::NORMAL}},
        {"2\t\t\t\r\t\t\t\t\r",
         "Deneb (normal)",
         "Rigel (hard)",
         {true, true},
         {Strength::NORMAL, Strength::HARD}},
        {"2\t\t\t\t\t\r\t\t\t\t\t\t\t\t\t\r",
         "Deneb (easy)",
         "Rigel (easy)",
         {true, true},
         {Strength::EASY, Strength::EASY}},
        {"2\t\t\t\t\t\t\r\t\t\t\t\t\t\t\r",
         "Deneb (casual)",
         "Rigel (normal)",
         {true, true},
         {Strength::CASUAL, Strength::NORMAL}},
        {"2\t\t\177Al\r\t\t\r", "Al", "Deneb (casual)", {false, true}, {Strength::NORMAL, Strength::CASUAL}},
        {"2\t\x0c\x1b[Ax\t\177\t\r\t\r",
         "Deneb (easy)",
         "Rigel (easy)",
         {true, true},
         {Strength::EASY, Strength::EASY}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys);
        open_screen(25, 80, 1);
        Strength strengths[MAX_PLAYERS] = {};
        type(c.keys);
        set_up_players(game, table, strengths);
        EXPECT_EQ(name(0), c.first);
        EXPECT_EQ(name(1), c.second);
        for (int p = 0; p < 2; ++p) {
            EXPECT_EQ(table.computer[p], c.computer[p]) << p;
            EXPECT_EQ(strengths[p], c.strength[p]) << p;
        }
    }
}

TEST_F(TitleTest, LostInputEndsTheProgram) {
    for (const char *keys : {"x", "2Al\rB"}) {
        open_screen(25, 80, 1);
        type(keys);
        close_input();
        EXPECT_EXIT(setup_players(), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$") << keys;
    }
}

}  // namespace
