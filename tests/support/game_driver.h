// Helpers for end-to-end tests that play the game through the terminal:
// the game's styles and the common steps, each screen known by the reader
// (screen_reader.h).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/screen_reader.h"
#include "support/terminal.h"

namespace e2e {

// The game's styles as the terminal shows them, one key for each, for the
// pictures of expect_screen. Cells the game leaves plain are white on
// black, as curses paints them in both schemes.
extern const std::map<char, Style> GAME_STYLES;

// Answers the title screen: the number of players and their names, then
// waits for the first move prompt.
::testing::AssertionResult start_players(Terminal &t, const std::vector<std::string> &names);

// Answers the title screen alone: the number of players, then each name,
// where "" gives the seat to the computer at normal strength (Tab on the
// empty line, three times: easy, casual, normal).
::testing::AssertionResult answer_title_screen(Terminal &t, const std::vector<std::string> &names);

// Lets the computers play, ending each of their pauses with a space (the
// key that ends a pause and does nothing else), until the game waits for a
// person's key. `at_pause` sees each pause first, and may stop the hurrying
// by returning false. Fails when the game ends, or after two minutes.
::testing::AssertionResult hurry_to_a_person(Terminal &t, const std::function<bool()> &at_pause = {});

// What a player types on the way to a screen: the keys of each move and of
// each visit to the trading list. Announcements are answered with a space.
// With `computers`, the computers' pauses are hurried on the way
// (hurry_to_a_person), and `at_pause` sees each of them first.
struct Answers {
    std::function<std::string()> move = [] { return std::string("1"); };
    std::function<std::string()> trade = [] { return std::string(key::Escape); };
    bool computers = false;
    std::function<void()> at_pause = {};
};

// The keys with which a person answers the screen that waits: a space for an
// announcement, `answers.move()` at the move prompt, `answers.trade()` in the
// trading list; nullopt on any other screen.
std::optional<std::string> answer_for(const Terminal &t, const Answers &answers = {});

// Answers the game's prompts by answer_for, each once the game waits for a
// person's key, until `arrived` holds. Fails on a screen that is none of the
// prompts, at the final standings, and after `max_keys` answers.
::testing::AssertionResult answer_until(Terminal &t, const std::function<bool()> &arrived,
                                        const Answers &answers = {}, int max_keys = 2000);

// The text of `length` cells from (row, col), one character per cell.
std::string text_at(const Terminal &t, int row, int col, int length);

// Waits for the program to end and checks its exit status, its standard
// error and that the terminal modes are as it found them.
::testing::AssertionResult ended_with(Terminal &t, int code, std::string_view error,
                                      Millis timeout = kDefaultTimeout);

// Whether a text is wholly valid UTF-8: every character complete, none
// overlong, no surrogate, nothing beyond U+10FFFF.
::testing::AssertionResult valid_utf8(const std::string &text);

// The galaxy the game draws from the seed `time`, as rows of map text.
std::vector<std::string> galaxy_for_seed(unsigned seed);

}  // namespace e2e
