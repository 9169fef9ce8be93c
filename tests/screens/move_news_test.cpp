// Move resolution: outposts, lost sites, foundings, growth, splits and
// companies swallowed by black holes.
#include <array>
#include <string>
#include <vector>

#include "galaxy_fixture.h"

namespace {

using galaxy_test::at;
using galaxy_test::full_map;
using galaxy_test::GalaxyTest;
using galaxy_test::map_text;

using Five = std::array<int, NUM_COMPANIES>;

struct MoveCase {
    const char *what;
    std::vector<std::string> before;  // top rows of the map
    int row, column;                  // the claimed sector
    Five prices;                      // before the move
    int waits;                        // announcements that wait for a key
    std::vector<std::string> after;
    Five sizes_after, prices_after;
    Five mover_after, other_after;  // holdings of players 0 and 1
};

// Before each move the mover holds 10 and the other player 3 shares of
// every active company; players 2 and 3, who do not play, hold 4 of each.
constexpr int MOVER_SHARES = 10;
constexpr int OTHER_SHARES = 3;
constexpr int IDLE_SHARES = 4;

// clang-format off
const MoveCase move_cases[] = {
    {"open space all round: an outpost", {}, 1, 5, {}, 0, {"", ".....+"}, {}, {}, {}, {}},
    {"open space and a black hole: the site is lost",
     {"", "....@"}, 1, 5, {}, 1, {"", "....@"}, {}, {}, {}, {}},
    {"first column: the star ending the row above is no neighbour",
     {"...........*"}, 1, 0, {}, 0, {"...........*", "+"}, {}, {}, {}, {}},
    {"last column: the star opening the next row is no neighbour",
     {"", "", "*"}, 1, 11, {}, 0, {"", "...........+", "*"}, {}, {}, {}, {}},
    {"founding next to one star",
     {"", "......*"}, 1, 5, {}, 1, {"", ".....A*"}, {1}, {600}, {5}, {0}},
    {"founding next to two stars",
     {".....*", "......*"}, 1, 5, {}, 1, {".....*", ".....A*"}, {1}, {1100}, {5}, {0}},
    {"founding next to a star and a black hole",
     {".....*", "....@"}, 1, 5, {}, 1, {".....*", "....@A"}, {1}, {100}, {5}, {0}},
    {"founding next to an outpost and a black hole is swallowed with the outpost",
     {"....++", "....@"}, 1, 5, {}, 1, {"....+.", "....@"}, {0}, {0}, {0}, {0}},
    {"founding when all five companies are active: an outpost",
     {"A.B.C.D.E", "......*"}, 1, 5, {100, 100, 100, 100, 100}, 0, {"A.B.C.D.E", ".....+*"},
     {1, 1, 1, 1, 1}, {100, 100, 100, 100, 100}, {10, 10, 10, 10, 10}, {3, 3, 3, 3, 3}},
    {"founding takes the lowest free company",
     {"A.B", "......*"}, 1, 5, {100, 200}, 1, {"A.B", ".....C*"},
     {1, 1, 1}, {100, 200, 600}, {10, 10, 5}, {3, 3, 0}},
    {"growth to exactly 3000 does not split",
     {"", "....A"}, 1, 5, {2900}, 0, {"", "....AA"}, {2}, {3000}, {10}, {3}},
    {"growth to 3001 splits to 1501 and doubles every holding",
     {".....*", "....A"}, 1, 5, {2401}, 1, {".....*", "....AA"}, {2}, {1501}, {20}, {6}},
    {"growth absorbs the outposts next to the new sector only",
     {".....+", "....A.+", "....+"}, 1, 5, {500}, 0, {".....A", "....AAA", "....+"}, {4}, {800}, {10}, {3}},
    {"growth into a black hole swallows the whole company",
     {"A", "....A.@", "", "", "", ".....B", "", "", "", "..........AA"}, 1, 5, {300, 700}, 1,
     {"", "......@", "", "", "", ".....B"}, {0, 1}, {0, 700}, {0, 10}, {0, 3}},
};
// clang-format on

TEST_F(GalaxyTest, MoveResolution) {
    for (const MoveCase &c : move_cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, 80, 1);
        load_map(c.before);
        for (int i = 0; i < NUM_COMPANIES; ++i) {
            game.companies[i].price = c.prices[static_cast<std::size_t>(i)];
            const bool active = game.companies[i].size != 0;
            game.players[0].holdings[i] = active ? MOVER_SHARES : 0;
            game.players[1].holdings[i] = active ? OTHER_SHARES : 0;
            game.players[2].holdings[i] = game.players[3].holdings[i] = IDLE_SHARES;
        }
        draw_map();
        type_waits(c.waits);

        play_move(at(c.row, c.column));

        EXPECT_EQ(keys_left(), "") << "fewer announcements than expected";
        EXPECT_EQ(galaxy_text(), map_text(full_map(c.after)));
        expect_map_shows_galaxy();
        for (int i = 0; i < NUM_COMPANIES; ++i) {
            const auto k = static_cast<std::size_t>(i);
            EXPECT_EQ(game.companies[i].size, c.sizes_after[k]) << "company " << i;
            EXPECT_EQ(game.companies[i].price, c.prices_after[k]) << "company " << i;
            EXPECT_EQ(game.players[0].holdings[i], c.mover_after[k]) << "company " << i;
            EXPECT_EQ(game.players[1].holdings[i], c.other_after[k]) << "company " << i;
            EXPECT_EQ(game.players[2].holdings[i], IDLE_SHARES);
            EXPECT_EQ(game.players[3].holdings[i], IDLE_SHARES);
        }
        for (int p = 0; p < MAX_PLAYERS; ++p) EXPECT_EQ(game.players[p].cash, STARTING_CASH);
    }
}

TEST_F(GalaxyTest, FoundingIsAnnouncedAfterThePanelShowsTheCompany) {
    load_map({"", "......*"});
    type_waits(1);
    play_move(at(1, 5));

    EXPECT_EQ(text_at(general_window, 0, 27, 23), " Special Announcement! ");
    EXPECT_EQ(attr_at(general_window, 0, 27), A_BOLD | A_BLINK | pair_attr(PAIR_WHITE_ON_BLUE));
    EXPECT_EQ(general_row(2), placed(19, "A new shipping company has been formed!"));
    EXPECT_EQ(general_row(4), placed(25, "Its name is Altair Starways"));
    EXPECT_EQ(attr_at(general_window, 2, 19), A_BOLD);
    EXPECT_EQ(attr_at(general_window, 4, 25), A_BOLD);
    EXPECT_EQ(general_row(7), placed(25, "Press any key to continue..."));
    EXPECT_EQ(attr_at(general_window, 7, 25), A_NORMAL);

    EXPECT_EQ(text_at(coinfo_window, 2, 0, 16), " Altair Starways");
    EXPECT_EQ(text_at(coinfo_window, 2, 24, 10), "$600    5 ");
}

TEST_F(GalaxyTest, NextFreeCompanyIsTheLowestInactive) {
    // clang-format off
    struct {
        Five sizes;
        int expected;
    } const cases[] = {
        {{0, 0, 0, 0, 0}, 0}, {{1, 0, 1, 0, 0}, 1}, {{0, 3, 0, 1, 1}, 0},
        {{2, 1, 1, 1, 0}, 4}, {{1, 1, 1, 1, 1}, -1},
    };
    // clang-format on
    for (const auto &c : cases) {
        for (int i = 0; i < NUM_COMPANIES; ++i) game.companies[i].size = c.sizes[static_cast<std::size_t>(i)];
        EXPECT_EQ(next_free_company(game), c.expected);
    }
}

TEST_F(GalaxyTest, LostInputInAnAnnouncementEndsTheGame) {
    load_map({"", "......*"});
    close_input();
    EXPECT_EXIT(play_move(at(1, 5)), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$");
}

}  // namespace
