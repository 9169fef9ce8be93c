// Black holes: a lost site, a company swallowed at its founding, and an
// existing company swallowed with every player's shares.
#include <string>
#include <vector>

#include "galaxy_fixture.h"

namespace {

using galaxy_test::at;
using galaxy_test::GalaxyTest;

// The three ways a move meets a black hole, played as moves: the map and the
// announcement after each, and the panel where a company was lost. What the
// moves do to the game is the rules' (tests/rules/move_test.cpp).
TEST_F(GalaxyTest, BlackHoleSituations) {
    struct Line {
        int row, column;
        const char *text;  // nullptr: the row stays empty
    };
    // clang-format off
    struct {
        const char *what;
        std::vector<std::string> before;
        int pos;
        std::vector<Line> lines;
        bool panel_repainted;
    } const cases[] = {
        {"an existing company: A at $200 grows next to a black hole",
         {"....+A", "....@.A", ".B", "", "", "", "", "", "", "AA"}, at(1, 5),
         {{2, 30, "The company named"},
          {3, 31, "Altair Starways"},
          {4, 22, "has been sucked into a black hole!"},
          {6, 25, "All players' holdings lost."}},
         true},
        {"a company founded next to an outpost and a black hole",
         {"", "...+.@", "", "", "", "", "", "", "", "..B"}, at(1, 4),
         {{2, 20, "The company that would have been named"},
          {3, 31, "Altair Starways"},
          {4, 22, "has been sucked into a black hole!"},
          {6, 0, nullptr}},
         false},
        {"a lone sector next to a black hole",
         {"....@", "", ".B", "", "", "", "", "", "", "AA"}, at(1, 4),
         {{2, 23, "The new company site just placed"},
          {3, 22, "has been sucked into a black hole!"},
          {4, 0, nullptr},
          {6, 0, nullptr}},
         false},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, 80, 1);
        load_map(c.before);
        draw_map(game);
        // The move prompt leaves the claimed cell as a plain '.'.
        mvwaddch(map_window, c.pos / 12 + 1, c.pos % 12 * 3 + 2, '.');
        game.companies[0].price = 200;
        game.companies[1].price = 700;
        werase(coinfo_window);
        mvwaddstr(coinfo_window, 5, 0, "stale panel");
        type_waits(1);

        play_move(c.pos);

        EXPECT_EQ(keys_left(), "");
        expect_map_shows_galaxy();

        EXPECT_EQ(text_at(general_window, 0, 27, 23), " Special Announcement! ");
        EXPECT_EQ(attr_at(general_window, 0, 27), A_BOLD | A_BLINK | pair_attr(PAIR_WHITE_ON_BLUE));
        for (const Line &line : c.lines) {
            if (line.text == nullptr) {
                EXPECT_EQ(general_row(line.row), "") << "row " << line.row;
                continue;
            }
            EXPECT_EQ(general_row(line.row), placed(line.column, line.text));
            EXPECT_EQ(attr_at(general_window, line.row, line.column), A_BOLD) << "row " << line.row;
        }
        EXPECT_EQ(general_row(8), placed(25, "Press any key to continue..."));
        EXPECT_EQ(attr_at(general_window, 8, 25), A_NORMAL);

        EXPECT_EQ(row_text(coinfo_window, 5), c.panel_repainted ? "" : "stale panel");
        if (c.panel_repainted) {
            EXPECT_EQ(text_at(coinfo_window, 2, 0, 18), " Beetlejuice, Ltd.");
        }
    }
}

}  // namespace
