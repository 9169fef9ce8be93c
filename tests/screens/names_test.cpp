// Names in any script under a UTF-8 character type: the line editor takes a
// character's bytes as one entry, and every window that shows a name shows
// it as typed, measured in screen columns, with controls, format characters,
// combining marks and stray bytes in an ASCII visible form.
#include <string>

#include "screens/screens.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::Utf8CursesTest;

// Bold and reverse video, the monochrome attributes of names and titles.
const headless::Styles STYLES = {{'b', A_BOLD}, {'r', A_REVERSE}};

std::string times(int count, const std::string &text) {
    std::string repeated;
    for (int i = 0; i < count; ++i) repeated += text;
    return repeated;
}

TEST_F(Utf8CursesTest, EditorTakesEachCharacterWholeAndStoresValidUtf8) {
    struct Case {
        const char *what;
        std::string keys;
        std::string stored;
        std::string echo;  // from column 49; the cursor stands after it
        int cursor;
    } const cases[] = {
        // clang-format off
        {"accented Latin", "Jos\xc3\xa9\r", "José", "José", 53},
        {"Greek", "\xce\x96\xcf\x89\xce\xae\r", "Ζωή", "Ζωή", 52},
        {"Cyrillic", "\xd0\x9b\xd0\xb5\xd0\xbd\xd0\xb0\r", "Лена", "Лена", 53},
        {"CJK, two columns each", "\xe7\x8e\x8b\xe5\xb0\x8f\xe6\x98\x8e\r", "王小明", "王小明", 55},
        {"an emoji", "Al\xf0\x9f\x9a\x80\r", "Al🚀", "Al🚀", 53},
        {"a decomposed accent", "Jose\xcc\x81\r", "Jose\u0301", "Jose<U+0301>", 61},
        {"right-to-left override", "a\xe2\x80\xae" "b\r", "a\u202Eb", "a<U+202E>b", 59},
        {"zero-width space", "a\xe2\x80\x8b\r", "a\u200B", "a<U+200B>", 58},
        {"a C1 control", "a\xc2\x9b\r", "a\u009B", "a<U+009B>", 58},
        {"lone continuation bytes", "a\x80\xbf" "b\r", "ab", "ab", 51},
        {"a truncated sequence, then ASCII", "\xc3x\xe7\x8e" "y\r", "xy", "xy", 51},
        {"a lead byte after a truncated one", "\xe7\xc3\xa9\r", "é", "é", 50},
        {"no character: overlong, surrogate, beyond U+10FFFF, 0xFF",
         "\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\xff.\r", ".", ".", 50},
        {"Backspace after accented Latin", "Jos\xc3\xa9\177\r", "Jos", "Jos", 52},
        {"Backspace after CJK", "\xe7\x8e\x8b\xe5\xb0\x8f\b\r", "王", "王", 51},
        {"Backspace after an emoji", "A\xf0\x9f\x9a\x80\177\r", "A", "A", 50},
        {"Backspace after a decomposed accent", "Jose\xcc\x81\177\r", "Jose", "Jose", 53},
        {"Backspace after an override", "a\xe2\x80\xae\177\r", "a", "a", 50},
        {"Backspace after a stray byte erases the last character", "ab\x80\177\r", "a", "a", 50},
        {"Backspace amid a character drops its bytes and erases one more", "ab\xc3\177\xa9\r", "a", "a", 50},
        {"Ctrl-L amid a character drops its bytes", "ab\xc3\x0c\xa9\r", "ab", "ab", 51},
        {"an arrow key amid a character drops its bytes", "ab\xe7\x8e\033[D\xe7\x8e\x8b\r", "ab王", "ab王", 53},
        {"a NUL amid a character is not stored", std::string("a\xc3\0\xa9\0\177\r", 7), "", "", 49},
        {"20 columns of CJK; the eleventh is refused", times(11, "王") + "\r", times(10, "王"), times(10, "王"), 69},
        {"a wide character that would pass column 20 is refused whole",
         "abcdefghijklmnopqrs\xe7\x8e\x8bt\r", "abcdefghijklmnopqrst", "abcdefghijklmnopqrst", 69},
        // U+1D400 takes one column and four bytes.
        {"20 four-byte characters fill 80 bytes", times(21, "𝐀") + "\r", times(20, "𝐀"), times(20, "𝐀"), 69},
        {"a visible form counts its columns", "abcdefghijkl\xe2\x80\xae\xe2\x80\xae\r", "abcdefghijkl\u202E",
         "abcdefghijkl<U+202E>", 69},
        // clang-format on
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        werase(stdscr);
        type(c.keys + "#");
        char name[NAME_SIZE];
        get_line(stdscr, 11, 49, MAX_NAME_LEN, INPUT_TEXT, name, sizeof name);
        EXPECT_EQ(std::string(name), c.stored);
        EXPECT_TRUE(headless::expect_window(stdscr, {11, 49, 1, 22}, c.echo));
        EXPECT_EQ(getcurx(stdscr), c.cursor);
        EXPECT_EQ(read_key(), '#') << "get_line read the wrong number of keys";
    }
}

// Four names in three scripts and a hostile one; every column after a name
// stands where it stands after an ASCII name.
class NamesShownTest : public Utf8CursesTest {
  protected:
    void SetUp() override {
        Utf8CursesTest::SetUp();
        open_screen(25, 80, 0, 4);
        meta(stdscr, TRUE);
        const char *const names[] = {"José Ñandú", "王小明", "Дмитрий", "Zoe\xcc\x88\xe2\x80\xae"};
        for (int i = 0; i < 4; ++i)
            std::snprintf(game.players[i].name, sizeof game.players[i].name, "%s", names[i]);
    }
};

TEST_F(NamesShownTest, MovePromptAndTradingTitle) {
    struct {
        int player;
        const char *shown;
    } const cases[] = {
        {0, R"(
┌/////////////////////////{r: José Ñandú (Cash: $6000) }/////////////////////////┐
|                                                                            |
| José Ñandú, enter your move [1-5]:                                         |)"},
        {1, R"(
┌///////////////////////////{r: 王小明 (Cash: $6000) }///////////////////////////┐
|                                                                            |
| 王小明, enter your move [1-5]:                                             |)"},
        {3, R"(
┌////////////////////{r: Zoe<U+0308><U+202E> (Cash: $6000) }/////////////////////┐
|                                                                            |
| Zoe<U+0308><U+202E>, enter your move [1-5]:                                |)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.player);
        game.current_player = c.player;
        type("1");
        prompt_for_move();
        EXPECT_TRUE(headless::expect_window(general_window, {0, 0, 3, 78}, c.shown, STYLES));
        EXPECT_EQ(getcurx(general_window), text_width(game.players[c.player].name) + 27)
            << "the cursor ends the prompt";
    }

    // The trading title after a trade is centred anew, with "////" beside it.
    game.companies[0] = Company{"Altair Starways", 100, 3};
    game.current_player = 1;
    type("\r60\r\033");
    trade_stock(game, table);
    EXPECT_TRUE(headless::expect_window(general_window, {0, 0, 1, 78}, R"(
┌////////////////////////////{r: 王小明 (Cash: $0) }/////////////////////////////┐)",
                                        STYLES));
}

TEST_F(NamesShownTest, StandingsAndMergerTableLineUp) {
    game.players[1].cash = 7000;
    game.players[2].cash = 500;
    type("k");
    wnoutrefresh(stdscr);
    show_standings(game, " Current Standings ");
    // Inside the border of the window at (5, 10).
    EXPECT_TRUE(headless::expect_window(curscr, {7, 11, 6, 58}, R"(
 {r:=Player================Stock Value===Cash=====Net Worth=}

  {b:王小明                }$0          $7000      {b:$7000    }
  {b:José Ñandú            }$0          $6000      {b:$6000    }
  {b:Zoe<U+0308><U+202E>   }$0          $6000      {b:$6000    }
  {b:Дмитрий               }$0          $500       {b:$500     })",
                                        STYLES));

    game.companies[1].price = 400;
    game.players[0].holdings[1] = 10;
    game.players[1].holdings[1] = 30;
    game.players[3].holdings[1] = 1;
    type("k");
    merge_and_show_exchange(0, 1);
    EXPECT_TRUE(headless::expect_window(general_window, {2, 4, 6, 70}, R"(
{r:=Player===============Old Stock===New Stock===Total Holdings===Bonus=}
{b: José Ñandú             }10          5             5            {b:$975  }
{b: 王小明                 }30          15           15            {b:$2926 }
{b: Дмитрий                }0           0             0            {b:$0    }
{b: Zoe<U+0308><U+202E>    }1           1             1            {b:$97   }
)",
                                        STYLES));
}

}  // namespace
