// The scripted games that the benchmark measures and the output guard
// checks: a player that reads the screen like a person, decides by fixed
// rules, and types each key only once the game is waiting for it.
//
// With the clock pinned the galaxy and the first player are fixed, the
// rules pick the same keys every run, and every key is read by the game
// after its screen was written in full: the bytes written are the same on
// every run, however fast or slow the machine.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "support/terminal.h"

namespace perf {

using Micros = std::chrono::microseconds;

// One scripted game: the pinned clock fixes the galaxy and the first player.
struct ScriptedGame {
    std::string name;
    long long time = 0;
    long long pid = 0;
    std::vector<std::string> args;
    std::vector<std::string> players;
    int max_turns = 0;  // 0: play to the end; else quit at this move prompt
};

// The fixed set, played under each terminal type of `terminal_types()`.
const std::vector<ScriptedGame> &scripted_games();
const std::vector<std::string> &terminal_types();

// What one key (or the start-up, the first "key") cost.
struct KeyRecord {
    std::string label;      // the key as typed, readable ("Down", "Esc", "m")
    std::string context;    // the screen it was typed at ("trade", "move", ...)
    std::size_t begin = 0;  // its output: [begin, end) of the game's output
    std::size_t end = 0;
    Micros latency{0};     // key written to the last byte of its output
    bool repaint = false;  // Ctrl-L, which resends every cell on purpose
};

struct PlayOptions {
    bool measure = false;  // timings, memory and the idle check
    // With `measure`: stay idle this long at the first move prompt of this
    // turn and take the CPU time the game used meanwhile.
    int idle_turn = 3;
    std::chrono::milliseconds idle_time{2000};
};

struct GameRun {
    std::string game;
    std::string term;
    std::string output;           // every byte written to the terminal
    std::vector<KeyRecord> keys;  // keys[0] is the start-up
    int turns = 0;
    std::optional<e2e::ExitStatus> status;
    std::string failure;  // empty when the script went as planned
    // With PlayOptions::measure:
    Micros startup{0};                   // start to the first complete title screen
    std::vector<Micros> escape_latency;  // Escape to the next move prompt
    long long title_rss_kib = 0;         // VmHWM at the complete title screen
    long long peak_rss_kib = 0;          // VmHWM just before the last key
    Micros idle_cpu{-1};                 // CPU time used while idle at a prompt
};

// Plays one scripted game on a terminal of type `term` (25 x 80).
GameRun play(const ScriptedGame &game, const std::string &term, const PlayOptions &options = {});

}  // namespace perf
