// The keys the terminal layer reads but cannot answer itself: Ctrl-L and
// Ctrl-C in free text do what the code that knows the game gives it.
#include <cstdlib>

#include "support/screen.h"
#include "terminal/terminal.h"

namespace {

int repaints = 0;

void count_repaint() { ++repaints; }
void leave_with_seven() { std::exit(7); }

class KeyActionsTest : public headless::CursesTest {
  protected:
    void SetUp() override {
        CursesTest::SetUp();
        saved_ = key_actions();
        repaints = 0;
        set_key_actions({count_repaint, leave_with_seven});
    }
    void TearDown() override {
        set_key_actions(saved_);
        CursesTest::TearDown();
    }

  private:
    KeyActions saved_{};
};

TEST_F(KeyActionsTest, CtrlLRepaintsThroughTheGivenAction) {
    type("\x0c\x0cx");
    EXPECT_EQ(pause_for_key(10000), 'x');
    EXPECT_EQ(repaints, 2) << "a pause";

    char buffer[16];
    type("a\014b\r");
    get_line(general_window, 1, 1, 10, INPUT_TEXT, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(repaints, 3) << "a line edited in a window";

    type("c\x0c\r");
    get_line(stdscr, 1, 1, 10, INPUT_TEXT, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "c");
    EXPECT_EQ(repaints, 3) << "a line edited in stdscr repaints stdscr alone";
}

TEST_F(KeyActionsTest, CtrlCInFreeTextRunsTheGivenInterrupt) {
    char buffer[16];
    for (const int mode : {INPUT_TEXT, INPUT_NAME}) {
        type("ab\x03");
        EXPECT_EXIT(get_line(general_window, 1, 1, 10, mode, buffer, sizeof buffer),
                    ::testing::ExitedWithCode(7), "")
            << "mode " << mode;
    }
    // An amount refuses Ctrl-C like any other letter.
    type("1\0032\r");
    get_line(general_window, 1, 1, 10, INPUT_AMOUNT, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "12");
}

}  // namespace
