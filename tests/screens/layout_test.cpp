// The layout's windows: the general header, the key wait and the colours.
#include "screens/screens.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;
using headless::MonoCursesTest;

TEST_F(CursesTest, GeneralHeaderDrawsBorderAndTitle) {
    for (const int blink : {0, 1}) {
        mvwaddstr(general_window, 4, 4, "old content");
        general_header(" Special Announcement! ", blink);
        EXPECT_EQ(text_at(general_window, 4, 1, 76), std::string(76, ' ')) << "the window is erased first";
        EXPECT_EQ(text_at(general_window, 0, 27, 23), " Special Announcement! ");
        attr_t title = A_BOLD | pair_attr(PAIR_WHITE_ON_BLUE);
        if (blink) title |= A_BLINK;
        EXPECT_EQ(attr_at(general_window, 0, 27), title);
        EXPECT_EQ(char_at(general_window, 0, 5), '/');
        EXPECT_EQ(attr_at(general_window, 0, 5), pair_attr(PAIR_BLUE));
        EXPECT_EQ(char_at(general_window, 10, 5), '/');
        EXPECT_EQ(char_at(general_window, 5, 0), '|');
        EXPECT_EQ(char_at(general_window, 5, 77), '|');
    }
}

TEST_F(MonoCursesTest, GeneralHeaderInMonochrome) {
    general_header(" Stock Transactions ", 1);
    EXPECT_EQ(attr_at(general_window, 0, 29), A_REVERSE | A_BLINK);
    EXPECT_EQ(attr_at(general_window, 0, 5), A_NORMAL);
}

TEST_F(CursesTest, WaitKeyRepaintsOnCtrlLAndEndsOnAnyOtherKey) {
    type("\x0c\x0cxy");
    wait_key(8);
    EXPECT_EQ(text_at(general_window, 8, 25, 28), "Press any key to continue...");
    EXPECT_EQ(read_key(), 'y') << "exactly one key after the repaints is consumed";
}

TEST_F(CursesTest, WaitKeyEndsTheProgramWhenInputCloses) {
    close_input();
    EXPECT_EXIT(wait_key(8), ::testing::ExitedWithCode(1), "^vegatrade: input closed\n$");
}

TEST_F(CursesTest, ColourPairsFollowTheScheme) {
    const short expected[14][2] = {
        {COLOR_BLUE, COLOR_BLACK},   {COLOR_RED, COLOR_BLACK},    {COLOR_GREEN, COLOR_BLACK},
        {COLOR_YELLOW, COLOR_BLACK}, {COLOR_MAGENTA, COLOR_BLACK}, {COLOR_CYAN, COLOR_BLACK},
        {COLOR_WHITE, COLOR_BLACK},  {COLOR_YELLOW, COLOR_BLUE},  {COLOR_WHITE, COLOR_BLUE},
        {COLOR_BLACK, COLOR_YELLOW}, {COLOR_BLACK, COLOR_WHITE},  {COLOR_BLACK, COLOR_RED},
        {COLOR_BLACK, COLOR_BLUE},   {COLOR_BLACK, COLOR_GREEN},
    };
    for (short pair = 1; pair <= 14; ++pair) {
        short foreground = -1;
        short background = -1;
        pair_content(pair, &foreground, &background);
        EXPECT_EQ(foreground, expected[pair - 1][0]) << "pair " << pair;
        EXPECT_EQ(background, expected[pair - 1][1]) << "pair " << pair;
    }
}

}  // namespace
