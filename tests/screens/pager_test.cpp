// The keys of a paged window, on the help's four pages: space, the arrows
// and PageUp/PageDown turn the pages, any other key turns to the next,
// Ctrl-L repaints, and Escape closes the window from any page.
#include <string>

#include "screens/modal_screen.h"
#include "screens/screens.h"

namespace {

using headless::Area;
using headless::KEY_SEQ_DOWN;
using headless::KEY_SEQ_LEFT;
using headless::KEY_SEQ_RIGHT;
using headless::KEY_SEQ_UP;

using PagerTest = market_test::ModalTest<headless::CursesTest>;

constexpr const char *PAGE_UP = "\033[5~";
constexpr const char *PAGE_DOWN = "\033[6~";

// The keys typed but not read by the window.
std::string keys_left() {
    nodelay(stdscr, TRUE);
    std::string keys;
    for (int key = wgetch(stdscr); key != ERR; key = wgetch(stdscr)) keys += static_cast<char>(key);
    nodelay(stdscr, FALSE);
    return keys;
}

// The help window's top border with the title of page `number`, as the
// terminal showed it when the window read its last key.
std::string title_row(int number) {
    return "\n┌========================== Help: page " + std::to_string(number) +
           " of 4 ===========================┐\n";
}

TEST_F(PagerTest, SpaceAndTheArrowsTurnThePagesAndEscapeClosesTheWindow) {
    const struct {
        const char *what;
        std::string keys;  // the last one closes the window
        int last_page;     // the page shown at the last key
    } cases[] = {
        {"Escape on the first page", "\033", 1},
        {"Escape on a later page", std::string(" ") + KEY_SEQ_DOWN + "\033", 3},
        {"Right and PageDown turn on, Up turns back",
         std::string(KEY_SEQ_RIGHT) + PAGE_DOWN + KEY_SEQ_UP + "\033", 2},
        {"Up, Left and PageUp stay on the first page",
         std::string(KEY_SEQ_UP) + KEY_SEQ_LEFT + PAGE_UP + "\033", 1},
        {"Left turns back from the last page", std::string("   ") + KEY_SEQ_LEFT + "\033", 3},
        {"Ctrl-L repaints the page it is on", std::string(" \x0c") + "\033", 2},
        {"any other key turns on, and closes the last page", "x4q\x03", 4},
        {"Down closes the last page", std::string("   ") + KEY_SEQ_DOWN, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        reopen(25, 80, 0, 2);
        type(c.keys + "z");
        show_help(HelpFrom::MOVE_PROMPT);
        EXPECT_TRUE(headless::expect_window(curscr, Area{5, 3, 1, 74}, title_row(c.last_page)));
        EXPECT_EQ(keys_left(), "z") << "the window closed at its last key";
    }
}

}  // namespace
