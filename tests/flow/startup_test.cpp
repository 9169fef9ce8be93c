// Start-up's main screen: the title bar.
#include "flow/flow.h"
#include "support/screen.h"

namespace {

using headless::CursesTest;

TEST_F(CursesTest, TitleBarSpansEightyColumns) {
    for (const int color : {1, 0}) {
        use_color = color;
        werase(stdscr);
        draw_title_bar();
        EXPECT_EQ(text_at(stdscr, 0, 0, 11), " VegaTrade ");
        EXPECT_EQ(text_at(stdscr, 0, 11, 69), std::string(69, '='));
        EXPECT_EQ(attr_at(stdscr, 0, 0), color ? A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE) : A_REVERSE);
        EXPECT_EQ(attr_at(stdscr, 0, 79), color ? pair_attr(PAIR_BLUE) : A_NORMAL);
    }
}

}  // namespace
