// In-process test fixture: a headless curses screen of a chosen size with
// keys fed through a pipe, and the game state built on it.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "game/state.h"

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

    // Opens the screen (rows x columns) and builds the game state on it:
    // the default layout, `players` playing, colour or monochrome.
    void open_screen(int rows, int columns, int color, int player_count = 2);

    // Feeds keys to the program; close_input() makes the next read fail.
    void type(std::string_view keys);
    void close_input();

    // Replaces the galaxy with rows of map text ('.', '*', '@', '+', 'A'-'E')
    // and recounts the company sizes from it.
    void load_galaxy(std::initializer_list<const char *> rows);

    // What curses holds for a window, read without moving its cursor.
    chtype cell(WINDOW *window, int row, int column) const;
    char char_at(WINDOW *window, int row, int column) const;
    attr_t attr_at(WINDOW *window, int row, int column) const;
    std::string row_text(WINDOW *window, int row) const;  // trailing blanks cut
    std::string text_at(WINDOW *window, int row, int column, int length) const;

    // The screen a test starts on: 25 x 80, colour, two players.
    bool opened_ = false;

private:
    SCREEN *screen_ = nullptr;
    FILE *output_ = nullptr;
    FILE *input_ = nullptr;
    int key_pipe_[2] = {-1, -1};
};

// The same fixture, opened in monochrome.
class MonoCursesTest : public CursesTest {
protected:
    void SetUp() override;
};

}  // namespace headless
