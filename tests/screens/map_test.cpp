// The map window: sector attributes in both schemes, cell places, border and title.
#include "galaxy_fixture.h"

namespace {

using galaxy_test::at;
using galaxy_test::GalaxyTest;

TEST_F(GalaxyTest, EverySymbolIsDrawnInItsSchemeAttribute) {
    struct {
        char symbol;
        attr_t colour;
        attr_t mono;
    } const symbols[] = {
        {'.', pair_attr(PAIR_WHITE), A_NORMAL},
        {'*', A_BOLD | pair_attr(PAIR_YELLOW), A_BOLD},
        {'@', A_NORMAL, A_NORMAL},
        {'+', pair_attr(PAIR_CYAN), A_NORMAL},
        {'A', A_BOLD | pair_attr(PAIR_BLUE), A_NORMAL},
        {'B', pair_attr(PAIR_GREEN), A_NORMAL},
        {'C', pair_attr(PAIR_YELLOW), A_NORMAL},
        {'D', pair_attr(PAIR_RED), A_NORMAL},
        {'E', pair_attr(PAIR_MAGENTA), A_NORMAL},
    };
    for (const int colour : {1, 0}) {
        open_screen(25, 80, colour);
        load_map({".*@+ABCDE", "", "", "", "", "", "", "", "", "...........E"});
        draw_map(game);
        for (int column = 0; column < 9; ++column) {
            const auto &s = symbols[column];
            EXPECT_EQ(map_char(at(0, column)), s.symbol);
            EXPECT_EQ(map_attr(at(0, column)), colour ? s.colour : s.mono)
                << s.symbol << " colour " << colour;
        }
        // The last sector stands in the last cell row and symbol column.
        EXPECT_EQ(char_at(map_window, 10, 35), 'E');

        // A symbol outside the table, such as an offer digit, is plain; the
        // galaxy is not changed by painting.
        draw_sector(at(0, 1), '3');
        EXPECT_EQ(map_char(at(0, 1)), '3');
        EXPECT_EQ(map_attr(at(0, 1)), A_NORMAL);
        EXPECT_EQ(game.galaxy[at(0, 1)], '*');
    }
}

TEST_F(GalaxyTest, CellsStandThreeColumnsApartInsideABorderWithTitle) {
    for (const int colour : {1, 0}) {
        open_screen(25, 80, colour);
        load_map({"************", "************", "************", "************", "************",
                  "************", "************", "************", "************", "************"});
        draw_map(game);
        for (int row = 1; row <= 10; ++row) {
            for (int column = 1; column <= 36; ++column) {
                const bool symbol_cell = column % 3 == 2;
                EXPECT_EQ(char_at(map_window, row, column), symbol_cell ? '*' : ' ') << row << "," << column;
                if (!symbol_cell) {
                    EXPECT_EQ(attr_at(map_window, row, column), A_NORMAL) << row << "," << column;
                }
            }
        }

        const attr_t border = colour ? A_BOLD | pair_attr(PAIR_WHITE) : A_BOLD;
        for (int row = 1; row <= 10; ++row) {
            for (const int column : {0, 37}) {
                EXPECT_EQ(char_at(map_window, row, column), '|');
                EXPECT_EQ(attr_at(map_window, row, column), border);
            }
        }
        for (const int row : {0, 11}) {
            for (const int column : {1, 15, 21, 36}) {
                EXPECT_EQ(char_at(map_window, row, column), '-') << row << "," << column;
                EXPECT_EQ(attr_at(map_window, row, column), border);
            }
        }
        const chtype glyph = A_CHARTEXT | A_ALTCHARSET;
        EXPECT_EQ(cell(map_window, 0, 0) & glyph, ACS_ULCORNER & glyph);
        EXPECT_EQ(cell(map_window, 11, 37) & glyph, ACS_LRCORNER & glyph);

        EXPECT_EQ(text_at(map_window, 0, 16, 5), " Map ");
        for (int column = 16; column < 21; ++column) {
            EXPECT_EQ(attr_at(map_window, 0, column), colour ? pair_attr(PAIR_BLACK_ON_WHITE) : A_REVERSE);
        }
    }
}

}  // namespace
