// A bot that plays whole games of vegatrade through the pseudo-terminal, as
// players would: it reads the map, the offers, the panel, the dialogs and
// every announcement off the screen, makes random choices (moves, hotkeys,
// trades, valid and invalid amounts), and checks as it goes that the
// screens agree with one another: cash and holdings move by amount x price,
// a split doubles the holdings, a merger's totals add up, the reports and
// standings add up the holdings at the panel's prices, and every move and
// announcement fits the neighbours the map showed. It knows no rule of the
// game. A game ends with the final standings, the banner, exit status 0,
// no standard error and the terminal modes restored.
//
//   e2e::Bot bot({.players = 3, .monochrome = true, .seed = 42});
//   EXPECT_TRUE(bot.play());
//
// The seed decides the bot's choices and also pins the game's clock and
// process id (so its galaxy and draws), so a seed replays a whole game.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/terminal.h"

namespace e2e {

struct BotOptions {
    int players = 2;          // 1 to 4
    bool monochrome = false;  // "-m", else "-c"
    std::uint32_t seed = 1;
    // Percent chances of the bot's side trips; lower them for quicker games.
    int hotkey_percent = 12;         // S, C, Ctrl-L or a declined quit at a prompt
    int invalid_amount_percent = 2;  // each costs the game's one-second pause
};

// What happened in a game, for the test's log.
struct BotStats {
    int turns = 0;
    int foundings = 0;
    int mergers = 0;
    int splits = 0;
    int black_holes = 0;  // lost sites and swallowed companies
    int trades = 0;       // amounts entered, invalid ones included
    int invalid_amounts = 0;
    int hotkeys = 0;
    int short_prompts = 0;  // move prompts with fewer than five offers
    bool ended_without_offers = false;
};

// One press of keys: what was typed, why, at which turn, and the offset in
// the game's output where its answer begins (the bot types only when the
// game waits for a key, so every byte before it answers earlier keys).
struct BotPress {
    std::string keys;
    std::string why;
    int turn = 0;
    std::size_t begin = 0;
};

class Bot {
  public:
    explicit Bot(BotOptions options);
    ~Bot();
    Bot(const Bot &) = delete;
    Bot &operator=(const Bot &) = delete;

    // Plays one whole game from the title screen to the exit status. A
    // failure names the seed, the turn, what was expected and the screen.
    ::testing::AssertionResult play();

    const BotStats &stats() const;
    // Every byte the game wrote to the terminal so far: all of them once
    // play() has succeeded.
    const std::string &output() const;
    // Every press of keys so far, in order.
    const std::vector<BotPress> &presses() const;
    // How the game ended; nullopt while it still runs.
    std::optional<ExitStatus> exit_status();
    // One line describing the game so far, for logs.
    std::string summary() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace e2e
