// Showing a move: outposts, lost sites, foundings, growth, splits and
// companies swallowed by black holes, on the map and in announcements.
#include <string>
#include <vector>

#include "galaxy_fixture.h"

namespace {

using galaxy_test::at;
using galaxy_test::GalaxyTest;

// What each kind of move shows: the announcements that wait for a key, and
// the map as the move left the galaxy. What the moves do to the game is the
// rules' (tests/rules/move_test.cpp).
TEST_F(GalaxyTest, EachMoveShowsItsSectorsAndWaitsForEachAnnouncement) {
    // clang-format off
    const struct {
        const char *what;
        std::vector<std::string> before;  // top rows of the map
        int row, column;                  // the claimed sector
        int price;                        // of company A, if any
        int waits;                        // announcements that wait for a key
    } cases[] = {
        {"an outpost", {}, 1, 5, 0, 0},
        {"a lost site", {"", "....@"}, 1, 5, 0, 1},
        {"a founding", {"", "......*"}, 1, 5, 0, 1},
        {"a founding swallowed with the outpost beside it", {"....++", "....@"}, 1, 5, 0, 1},
        {"a founding site while all five companies are active", {"A.B.C.D.E", "......*"}, 1, 5, 100, 0},
        {"growth", {"", "....A"}, 1, 5, 2900, 0},
        {"growth that splits", {".....*", "....A"}, 1, 5, 2401, 1},
        {"growth that takes in outposts", {".....+", "....A.+", "....+"}, 1, 5, 500, 0},
        {"growth into a black hole", {"A", "....A.@", "", "", "", ".....B", "", "", "", "..........AA"}, 1, 5, 300, 1},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        open_screen(25, 80, 1);
        load_map(c.before);
        for (Company &company : game.companies) company.price = c.price;
        draw_map(game);
        type_waits(c.waits);

        play_move(at(c.row, c.column));

        EXPECT_EQ(keys_left(), "") << "fewer announcements than expected";
        expect_map_shows_galaxy();
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

TEST_F(GalaxyTest, LostInputInAnAnnouncementEndsTheGame) {
    load_map({"", "......*"});
    close_input();
    EXPECT_EXIT(play_move(at(1, 5)), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$");
}

}  // namespace
