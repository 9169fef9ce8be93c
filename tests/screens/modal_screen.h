// Reading what a modal window showed after it is gone: curscr holds what the
// last screen update sent to the terminal, newscr what has been staged since.
#pragma once

#include <string_view>

#include "support/screen.h"

namespace market_test {

template <class Base>
class ModalTest : public Base {
  protected:
    void SetUp() override {
        Base::SetUp();
        settle();
    }
    void reopen(int rows, int columns, int color, int player_count) {
        this->open_screen(rows, columns, color, player_count);
        settle();
    }

    // Asserts the modal window of `rows` x `columns` at (5, left) as the
    // terminal shows it, with the column on each side and the row below,
    // which must stay blank.
    ::testing::AssertionResult expect_shown(int rows, int columns, std::string_view picture,
                                            const headless::Styles &styles = {}) const {
        return headless::expect_window(curscr, headless::Area{5, left_ - 1, rows + 1, columns + 2}, picture,
                                       styles);
    }

    int left_ = 0;

  private:
    // stdscr is staged as the game's main screen has it: a key read refreshes
    // a changed stdscr first, which would paint the blank new one over the
    // modal window.
    static void settle() { wnoutrefresh(stdscr); }
};

}  // namespace market_test
