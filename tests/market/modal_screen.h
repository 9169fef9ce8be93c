// Reading what a modal window showed after it is gone: curscr holds what the
// last screen update sent to the terminal, newscr what has been staged since.
#pragma once

#include <string>

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

    // Text and attribute shown at a place of the modal window at (5, left).
    std::string shown(int row, int column, int length) const {
        return this->text_at(curscr, 5 + row, left_ + column, length);
    }
    attr_t shown_attr(int row, int column) const { return this->attr_at(curscr, 5 + row, left_ + column); }
    char shown_char(int row, int column) const { return this->char_at(curscr, 5 + row, left_ + column); }

    int left_ = 0;

  private:
    // stdscr is staged as the game's main screen has it: a key read refreshes
    // a changed stdscr first, which would paint the blank new one over the
    // modal window.
    static void settle() { wnoutrefresh(stdscr); }
};

}  // namespace market_test
