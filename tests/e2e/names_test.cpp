// Names in three scripts, end to end: in a UTF-8 locale the title screen,
// the standings and the merger table show them as typed, and every column
// after a name lines up; in the C locale the same names are shown byte by
// byte in visible form and no byte above 127 reaches the terminal.
#include <cstdio>
#include <string>
#include <vector>

#include "support/game_driver.h"

namespace e2e {
namespace {

const std::vector<std::string> NAMES = {"José Ñandú", "王小明", "Дмитрий"};

Options utf8_game() {
    Options options;
    options.args = {"-m"};
    options.env["LANG"] = "C.UTF-8";
    options.pin_clock = PinnedClock{2026, 1212};
    return options;
}

// Types the number of players and the names, leaving the last name's Enter
// untyped; `last` is how the last name is echoed.
::testing::AssertionResult type_names(Terminal &t, const std::string &last) {
    auto ready = wait_for_screen(t, Screen::Number);
    if (!ready) return ready;
    t.type(std::to_string(NAMES.size()));
    for (std::size_t i = 0; i < NAMES.size(); ++i) {
        auto asked = wait_for_name_prompt(t, static_cast<int>(i) + 1);
        if (!asked) return asked;
        t.type(NAMES[i]);
        if (i + 1 < NAMES.size()) t.type(key::Enter);
    }
    return t.wait_for_text(13, last);
}

// Plays offer 1 and trades nothing until the stock exchange of a merger is
// on the screen. The game is the same on every run: the clock is pinned.
::testing::AssertionResult play_to_merger(Terminal &t) {
    return answer_until(t, [&] { return announcement_of(t).kind == News::StockTransactions; });
}

TEST(Names, ThreeScriptsLineUpInAUtf8Locale) {
    Terminal t(utf8_game());
    ASSERT_TRUE(type_names(t, NAMES.back()));
    EXPECT_TRUE(t.expect_screen(R"(
┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$                    * V * E * G * A ** T * R * A * D * E *                    $
$                                                                              $
$                                                                              $
$                  Please enter the number of players [1-4]: 3                 $
$                                                                              $
$                     Player 1, enter your name: José Ñandú                    $
$                     Player 2, enter your name: 王小明                        $
$                     Player 3, enter your name: Дмитрий                       $
$                                                                              $
$                                                                              $
$                      Tab: the computer plays this seat                       $
$                           ?: help during the game                            $
$                                                                              $
$                                                                              $
$          This program is free software, and comes with NO WARRANTY.          $
$            You may share and change it under the MIT License; see            $
$            /usr/share/doc/vegatrade/copyright (or /usr/local/...)            $
$                                                                              $
└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘)"));
    t.type(key::Enter);
    ASSERT_TRUE(wait_for_screen(t, Screen::Move));
    t.type("s");
    EXPECT_TRUE(t.expect_screen(R"(
 VegaTrade =====================================================================
 ┌--------------- Map ----------------┐ Company                Price  Holdings
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  .  .  .  1  .  .  .  .  . | no active companies
 | .  .  .  .  *  .  .  .  .  .  .  . |
 | .  .  .┌==================  Current Standings  ===================┐
 | 2  .  .|                                                          |
 | .  .  .| =Player================Stock Value===Cash=====Net Worth= |
 | .  .  .|                                                          |
 | .  .  4|  José Ñandú            $0          $6000      $6000      |
 | .  .  .|  王小明                $0          $6000      $6000      |
 | .  .  .|  Дмитрий               $0          $6000      $6000      |
 └--------|                                                          |
 ┌////////|         Available company sectors remaining: 65          |////////┐
 |        |                                                          |        |
 | 王小明,|               Press any key to continue...               |        |
 |        └==========================================================┘        |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘)"));
    t.type(" ");
    ASSERT_TRUE(play_to_merger(t));
    EXPECT_TRUE(t.expect_screen(R"(
 VegaTrade =====================================================================
 ┌--------------- Map ----------------┐ Company                Price  Holdings
 | .  .  .  +  .  .  .  .  +  .  B  B |
 | D  D  .  .  .  A  A  .  .  .  .  B | Altair Starways        $1600   0
 | .  .  .  .  *  A  A  .  .  +  .  . |
 | .  D  .  .  A  A  .  .  .  .  *  . | Beetlejuice, Ltd.      $300    5
 | .  D  .  .  .  .  +  .  .  .  .  + |
 | .  .  .  +  .  .  .  .  +  .  +  . | Capella Freight Co.    $1200   5
 | .  .  .  .  .  +  .  .  .  +  .  . |
 | .  +  .  *  .  .  +  .  .  .  @  . | Denebola Shippers      $200    0
 | .  .  C  C  .  +  .  +  .  .  .  . |
 | .  .  .  *  .  .  .  .  .  .  .  + | Eridani Expediters     $200    0
 └------------------------------------┘
 ┌//////////////////////////// Stock Transactions ////////////////////////////┐
 |                             Eridani Expediters                             |
 |   =Player===============Old Stock===New Stock===Total Holdings===Bonus=    |
 |    José Ñandú             0           0             0            $0        |
 |    王小明                 0           0             0            $0        |
 |    Дмитрий                5           3             8            $2000     |
 |                                                                            |
 |                                                                            |
 |                        Press any key to continue...                        |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘)"));
    EXPECT_TRUE(valid_utf8(t.output_bytes()));
}

// The same names in the C locale: each byte in its `cat -v` form, and the
// terminal gets nothing above 127.
TEST(Names, CLocaleShowsBytesInVisibleForm) {
    Options options = utf8_game();
    options.env.erase("LANG");
    Terminal t(options);
    ASSERT_TRUE(type_names(t, "M-PM-^TM-PM-<M-PM-8"));
    t.type(key::Enter);
    ASSERT_TRUE(wait_for_screen(t, Screen::Move));
    t.type("s");
    EXPECT_TRUE(t.expect_screen(R"(
 VegaTrade =====================================================================
 ┌--------------- Map ----------------┐ Company                Price  Holdings
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  .  .  .  1  .  .  .  .  . | no active companies
 | .  .  .  .  *  .  .  .  .  .  .  . |
 | .  .  .┌==================  Current Standings  ===================┐
 | 2  .  .|                                                          |
 | .  .  .| =Player================Stock Value===Cash=====Net Worth= |
 | .  .  .|                                                          |
 | .  .  4|  JosM-CM-) M-CM-^Qand  $0          $6000      $6000      |
 | .  .  .|  M-gM-^NM-^KM-eM-0M-f  $0          $6000      $6000      |
 | .  .  .|  M-PM-^TM-PM-<M-PM-8   $0          $6000      $6000      |
 └--------|                                                          |
 ┌////////|         Available company sectors remaining: 65          |////////┐
 |        |                                                          |        |
 | M-gM-^N|               Press any key to continue...               |        |
 |        └==========================================================┘        |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘)"));
    t.type(" q");
    ASSERT_TRUE(wait_for_screen(t, Screen::Quit));
    t.type("y");
    ASSERT_TRUE(wait_for_screen(t, Screen::Final));
    t.type(" ");
    EXPECT_TRUE(ended_with(t, 2, ""));
    const std::string &output = t.output_bytes();
    for (std::size_t i = 0; i < output.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(output[i]), 128) << "byte " << i << " of the output";
    }
}

// What a player types that is no character never enters a name: the bytes
// of arrow and function keys, a lone Escape, a NUL; a name of blanks only
// is asked again. At the move prompt the same keys do nothing.
TEST(Names, KeysThatAreNoCharactersNeverEnterAName) {
    Options options;
    options.args = {"-m"};
    options.pin_clock = PinnedClock{2026, 1210};
    Terminal t(options);
    ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    t.type("1");
    ASSERT_TRUE(t.wait_for_text(11, "Player 1, enter your name:"));
    t.type("   \r");
    t.type("Al");
    for (const std::string_view keys :
         {key::Left, key::Up, std::string_view("\033[5~"), std::string_view("\033OS"),
          std::string_view("\033[D"), std::string_view("\033[1;5C")}) {
        t.type(keys);
    }
    t.type(std::string("e\0x", 3));
    t.type(key::Escape);
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(text_at(t, 11, 22, 40), "Player 1, enter your name: Alex         ");
    EXPECT_EQ(t.cursor(), (Position{11, 53}));

    t.type(key::Enter);
    ASSERT_TRUE(wait_for_screen(t, Screen::Move));
    ASSERT_TRUE(t.wait_for_key_request());
    const std::string prompt_screen = t.screen_text();
    EXPECT_EQ(t.row_text(PROMPT_ROW),
              " | Alex, enter your move [1-5]:                                               |");
    for (const std::string_view keys : {key::Up, key::Down, key::Left, std::string_view("\033[5~"),
                                        std::string_view("\033OS"), std::string_view("\033[15~")}) {
        t.type(keys);
    }
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(t.screen_text(), prompt_screen);
    EXPECT_EQ(t.cursor(), (Position{PROMPT_ROW, 32}));

    t.type("qy");
    ASSERT_TRUE(wait_for_screen(t, Screen::Final));
    t.type(" ");
    EXPECT_TRUE(ended_with(t, 2, ""));
}

// On a layout wider than 80 columns the name prompts move right, and each
// name is echoed right after its prompt.
TEST(Names, AreEchoedAfterTheirPromptOnAWideLayout) {
    Options options;
    options.args = {"-m"};
    options.cols = 100;
    options.env = {{"LINES", "25"}, {"COLUMNS", "100"}};
    Terminal t(options);
    ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    t.type("2Ann\rBob");
    ASSERT_TRUE(t.wait_for_text(12, "Bob"));
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(text_at(t, 11, 30, 36), "  Player 1, enter your name: Ann    ");
    EXPECT_EQ(text_at(t, 12, 30, 36), "  Player 2, enter your name: Bob    ");
    EXPECT_EQ(t.cursor(), (Position{12, 62}));
    t.type(key::CtrlC);
    EXPECT_TRUE(ended_with(t, 2, ""));
}

}  // namespace
}  // namespace e2e
