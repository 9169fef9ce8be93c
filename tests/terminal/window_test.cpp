// Writing into windows: centring, player text, and a window that cannot be made.
#include "screens/screens.h"
#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

using headless::CursesTest;

TEST_F(CursesTest, CenterTextDrawsOnlyWhatFits) {
    struct {
        int width;
        const char *text;
        int column;  // -1: not drawn
    } const cases[] = {
        {78, "Press any key to continue...", 25},
        {78, " Special Announcement! ", 27},
        {10, "0123456789", 0},
        {10, "012345678", 0},
        {10, "01234567", 1},
        {9, "0123456789", -1},
        {0, "x", -1},
        {4, "", 2},
    };
    for (const auto &c : cases) {
        werase(general_window);
        center_text(general_window, c.width, 3, c.text);
        const std::string row = row_text(general_window, 3);
        if (c.column < 0) {
            EXPECT_EQ(row, "") << c.text;
        } else {
            std::string expected = std::string(static_cast<std::size_t>(c.column), ' ') + c.text;
            expected.erase(expected.find_last_not_of(' ') + 1);
            EXPECT_EQ(row, expected) << c.text;
        }
    }
}

TEST_F(CursesTest, PlayerTextIsShownInVisibleForm) {
    werase(general_window);
    put_text_at(general_window, 1, 1, "a%s\tb\033c\x7f");
    EXPECT_EQ(row_text(general_window, 1), " a%s^Ib^[c^?");
    EXPECT_EQ(text_width("a%s\tb\033c\x7f"), 11);
    put_text_at(general_window, 2, 1, "\xe9\x80\xff");
    EXPECT_EQ(row_text(general_window, 2), " M-iM-^@M-^?");
}

TEST_F(CursesTest, FailedWindowEndsTheProgramWithItsMessage) {
    EXPECT_EXIT(create_window(0, 10, 0, 0, "vegatrade: can't create general window\n"),
                ::testing::ExitedWithCode(1), "^vegatrade: can't create general window\n$");
    EXPECT_EXIT(create_window(5, 10, 0, -1, "vegatrade: couldn't create standings window\n"),
                ::testing::ExitedWithCode(1), "^vegatrade: couldn't create standings window\n$");
}

}  // namespace
