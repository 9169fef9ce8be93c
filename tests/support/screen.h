// In-process test fixture: a headless curses screen of a chosen size with
// keys fed through a pipe, and a game (with its table: the record and the
// computer's seats) built on it to pass to the screens; and pictures of what
// curses holds for a window.
//
//   TEST_F(CursesTest, Example) {
//       type("k");
//       show_something();
//       EXPECT_TRUE(headless::expect_window(coinfo_window, R"(
//   {b:+-------+}
//   {b:|}{t: Title }{b:|}
//   )", {{'b', A_BOLD}, {'t', A_REVERSE | COLOR_PAIR(3)}}));
//   }
//
// A picture holds the rows of the window, by the rules of
// support/picture.h. With `styles`, "{k:text}" marks text drawn with the
// attributes styles[k] (colour pair included), and every other cell must
// have no attribute; without, only the text is compared. Line-drawing
// characters read as the terminal shows them ("┌─┐│└┘"). On failure the
// message shows the rows that differ and the actual window with markup,
// ready to paste.
#pragma once

#include <curses.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "screens/screens.h"

namespace headless {

// Arrow keys and other sequences as xterm-256color sends them.
inline constexpr const char *KEY_SEQ_UP = "\033OA";
inline constexpr const char *KEY_SEQ_DOWN = "\033OB";
inline constexpr const char *KEY_SEQ_RIGHT = "\033OC";
inline constexpr const char *KEY_SEQ_LEFT = "\033OD";
inline constexpr const char *KEY_SEQ_F4 = "\033OS";

class CursesTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the screen (rows x columns) and builds the game on it: the
    // default layout, `players` playing, colour or monochrome, every seat a
    // person's and nothing recorded.
    void open_screen(int rows, int columns, int color, int player_count = 2);

    // The move prompt as a turn brings it up: the offers drawn with the
    // rules from rand(), marked, and chosen at the prompt (get_move).
    // Returns the sector chosen, or -1 when no sector could be offered (no
    // prompt is shown).
    int prompt_for_move();

    // Merges `absorbed` into `survivor` with the rules and shows the exchange
    // of stock that the merger made (the table a merger's second pause shows).
    void merge_and_show_exchange(int survivor, int absorbed);

    // Feeds keys to the program; close_input() makes the next read fail.
    void type(std::string_view keys);
    void close_input();

    // What curses holds for a window, read without moving its cursor.
    chtype cell(WINDOW *window, int row, int column) const;
    char char_at(WINDOW *window, int row, int column) const;
    attr_t attr_at(WINDOW *window, int row, int column) const;
    std::string row_text(WINDOW *window, int row) const;  // trailing blanks cut
    std::string text_at(WINDOW *window, int row, int column, int length) const;

    // The game the screens under test show, and its table.
    Game game{};
    Table table{};

    // The screen a test starts on: 25 x 80, colour, two players.
    bool opened_ = false;

  private:
    SCREEN *screen_ = nullptr;
    FILE *output_ = nullptr;
    FILE *input_ = nullptr;
    int key_pipe_[2] = {-1, -1};
};

// Attributes for the markup keys of a picture.
using Styles = std::map<char, attr_t>;

// A part of a window: `rows` x `columns` cells from (row, column).
struct Area {
    int row = 0;
    int column = 0;
    int rows = 0;
    int columns = 0;
};

// Asserts the whole window, or an area of it, against a picture. Reads the
// cells without moving the window's cursor.
::testing::AssertionResult expect_window(WINDOW *window, std::string_view picture, const Styles &styles = {});
::testing::AssertionResult expect_window(WINDOW *window, Area area, std::string_view picture,
                                         const Styles &styles = {});

// The area as a picture with markup for `styles`; '?' marks attributes
// that have no key.
std::string window_picture(WINDOW *window, Area area, const Styles &styles = {});

// The same fixture, opened in monochrome.
class MonoCursesTest : public CursesTest {
  protected:
    void SetUp() override;
};

// The same fixture in monochrome with the character type of C.UTF-8, as the
// game takes it from a UTF-8 environment: the locale is set before curses
// starts, and set back to C when the test ends.
class Utf8CursesTest : public CursesTest {
  protected:
    void SetUp() override;
    ~Utf8CursesTest() override;
};

}  // namespace headless
