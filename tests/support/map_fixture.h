// Maps for tests, written as their top rows of text: '.', '*', '@', '+' and
// the company letters, missing rows and columns open space. The rules' tests,
// the computer's and the screens' all build their maps here. Nothing here
// draws: it needs the rules alone.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "rules/rules.h"

namespace map_fixture {

// The pos of the sector in a row and column of the map.
constexpr int at(int row, int column) { return row * map_width + column; }

// Open space with stars, black holes, outposts and companies A and B.
inline const std::vector<std::string> MIXED_MAP = {
    "..*...@.....", "....A.......", "..+....*....", "........BB..", "@...........",
    "......*.....", "............", "...+....@...", "............", ".*..........",
};

// Stars everywhere and all five companies. Open sectors: three that may be
// offered while every company is active, in pos order (next to a star and a
// company; next to black holes only; in the first column with a star ending
// the row above), and four founding sites.
inline const std::vector<std::string> STARRY_MAP = {
    ".**********B", "************", "**.A********", "********.***", "*****@****D*",
    "****@.@*****", "@*E**@******", ".@**********", "@*****.*****", "C**********.",
};
inline constexpr int STARRY_OFFERS[] = {at(2, 2), at(5, 5), at(7, 0)};

// Puts the map given by its top rows into `game` and counts each company's
// size from it; nothing else of the game changes. A row or a map larger
// than the galaxy fails the test.
inline void load_map(Game &game, const std::vector<std::string> &top) {
    EXPECT_LE(static_cast<int>(top.size()), map_height) << "more rows than the map has";
    for (int row = 0; row < map_height; ++row) {
        const std::string text = row < static_cast<int>(top.size()) ? top[static_cast<std::size_t>(row)] : "";
        EXPECT_LE(static_cast<int>(text.size()), map_width) << "row " << row << " is wider than the map";
        for (int column = 0; column < map_width; ++column) {
            const auto k = static_cast<std::size_t>(column);
            game.galaxy[at(row, column)] = k < text.size() ? text[k] : SECTOR_EMPTY;
        }
    }
    for (Company &company : game.companies) company.size = 0;
    for (int pos = 0; pos < MAP_CELLS; ++pos) {
        if (is_company_letter(game.galaxy[pos])) ++game.companies[game.galaxy[pos] - 'A'].size;
    }
}

// A new game of `players` players ("P1", "P2", ...) on the map given by its
// top rows, with each company's size counted from the map and player 0 to
// move.
inline Game game_from_map(const std::vector<std::string> &top, int players = 2) {
    Game game;
    new_game(game);
    load_map(game, top);
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

// A map given by its top rows as map_text shows it.
inline std::string map_text(const std::vector<std::string> &top) { return map_text(game_from_map(top)); }

}  // namespace map_fixture
