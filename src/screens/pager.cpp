// The paged windows (the help, the game's record): a border, a title that
// numbers the page, the page's own rows and a footer. A key turns the page,
// the key on the last page closes the window, and Escape closes it at once.
#include "screens/screens.h"
#include "terminal/messages.h"

#include <cstdio>

namespace {

// Blanks the inside of a paged window, then draws its title and footer.
void draw_frame(WINDOW *window, const PagedWindow &paged, int number) {
    const int rows = getmaxy(window);
    const int columns = getmaxx(window);
    for (int row = 1; row < rows - 1; ++row) {
        wmove(window, row, 1);
        for (int column = 1; column < columns - 1; ++column) waddch(window, ' ');
    }
    const attr_t title_attr = scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW_ON_BLUE), A_REVERSE);
    char title[96];
    paged.title(title, sizeof title, number, paged.page_count);
    wattr_on(window, title_attr, nullptr);
    center_text(window, columns, 0, title);
    wattr_off(window, title_attr, nullptr);
    // TRANSLATORS: the last line of a page of the help or the record but the
    // last: at most 70 columns.
    const char *next_page = N_("Press any key for the next page, Escape to close...");
    // TRANSLATORS: the key pause under an announcement, a window or the last
    // page of a paged window: at most 40 columns.
    const char *last_page = N_("Press any key to continue...");
    center_text(window, columns, rows - 2,
                translation_within(number < paged.page_count ? next_page : last_page, columns - 4));
}

// The keys that turn back a page; every other key but Escape and Ctrl-L
// turns to the next.
bool turns_back(int key) { return key == KEY_UP || key == KEY_LEFT || key == KEY_PPAGE; }

}  // namespace

// Shows the pages, modal, over the main screen, from the first. Space, Down,
// Right, PageDown and any other key turn to the next page, and on the last
// page close the window; Up, Left and PageUp turn back; Escape closes it
// from any page; Ctrl-L repaints. The windows it covered are staged again
// once it closes.
void show_pages(const PagedWindow &paged) {
    WINDOW *window =
        open_dialog(paged.rows, paged.columns, scheme_attr(pair_attr(PAIR_BLUE), A_BOLD), paged.failure);
    for (int number = 1;;) {
        draw_frame(window, paged, number);
        paged.draw(window, number, paged.context);
        const int key = wait_dialog_key(window);
        if (key == ESCAPE) break;
        if (key == CTRL_L) {
            redraw_all();
        } else if (turns_back(key)) {
            if (number > 1) --number;
        } else if (number < paged.page_count) {
            ++number;
        } else {
            break;
        }
    }
    close_dialog(window);
}
