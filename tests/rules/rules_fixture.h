// Small games for the rules' tests: a map written as its top rows, the
// companies sized from it, and a report read back as one line of text.
// Nothing here draws: these tests link no curses.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "rules/rules.h"

namespace rules_test {

// The pos of the sector in a row and column of the 12 x 10 map.
constexpr int at(int row, int column) { return row * map_width + column; }

// A new game of `players` players ("P1", "P2", ...) on the map given by its
// top rows (missing rows and columns are open space), with each company's
// size counted from the map and player 0 to move.
inline Game game_from_map(const std::vector<std::string> &top, int players = 2) {
    Game game;
    new_game(game);
    for (int row = 0; row < map_height; ++row) {
        const std::string text = row < static_cast<int>(top.size()) ? top[static_cast<std::size_t>(row)] : "";
        for (int column = 0; column < map_width; ++column) {
            const auto k = static_cast<std::size_t>(column);
            game.galaxy[at(row, column)] = k < text.size() ? text[k] : SECTOR_EMPTY;
        }
    }
    for (int pos = 0; pos < MAP_CELLS; ++pos) {
        if (is_company_letter(game.galaxy[pos])) ++game.companies[game.galaxy[pos] - 'A'].size;
    }
    game.num_players = players;
    game.current_player = 0;
    for (int p = 0; p < players; ++p) std::snprintf(game.players[p].name, NAME_SIZE, "P%d", p + 1);
    return game;
}

// The map as text, a line per row, the trailing open space of each row cut.
inline std::string map_text(const Game &game) {
    std::string text;
    for (int row = 0; row < map_height; ++row) {
        std::string line(game.galaxy + at(row, 0), map_width);
        line.erase(line.find_last_not_of(SECTOR_EMPTY) + 1);
        text += line + "\n";
    }
    return text;
}

inline std::string map_text(const std::vector<std::string> &top) { return map_text(game_from_map(top)); }

// The events of a report in order, e.g. "merged B into A; split A; grew A".
inline std::string events_text(const MoveReport &report) {
    std::string text;
    for (int e = 0; e < report.event_count; ++e) {
        const Event &event = report.events[e];
        const std::string company(1, company_letter(event.company));
        if (!text.empty()) text += "; ";
        switch (event.kind) {
        case EventKind::OUTPOST: text += "outpost"; break;
        case EventKind::SITE_LOST: text += "site lost"; break;
        case EventKind::FOUNDED: text += "founded " + company; break;
        case EventKind::FOUNDING_SWALLOWED: text += "founding of " + company + " swallowed"; break;
        case EventKind::GREW: text += "grew " + company; break;
        case EventKind::MERGED: text += std::string("merged ") + company_letter(event.absorbed) + " into " + company; break;
        case EventKind::SPLIT: text += "split " + company; break;
        case EventKind::SWALLOWED: text += "swallowed " + company; break;
        }
    }
    return text;
}

// A generator that gives the values it was handed, in turn, and counts its
// draws; past its values it fails the test and gives the number of draws,
// so that a loop drawing until it finds something still ends.
struct ScriptedRandom {
    std::vector<int> values;
    std::size_t draws = 0;

    Random random() { return Random{draw, this}; }

    static int draw(void *state) {
        auto &self = *static_cast<ScriptedRandom *>(state);
        if (self.draws >= self.values.size()) {
            ADD_FAILURE() << "an unexpected draw from the generator";
            return static_cast<int>(self.draws++);
        }
        return self.values[self.draws++];
    }
};

}  // namespace rules_test
