// The paged windows (the help, the game's record): a border, a title that
// numbers the page, the page's own rows and a footer. A key turns the page,
// and the key on the last page closes the window.
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
    // TRANSLATORS: the key pause under an announcement, a window or the last
    // page of a paged window: at most 40 columns.
    const char *last_page = N_("Press any key to continue...");
    center_text(window, columns, rows - 2,
                number < paged.page_count ? paged.next_footer : translation_within(last_page, columns - 4));
}

}  // namespace

// Shows the pages, modal, over the main screen, from the first; the windows
// it covered are staged again once it closes.
void show_pages(const PagedWindow &paged) {
    WINDOW *window =
        open_dialog(paged.rows, paged.columns, scheme_attr(pair_attr(PAIR_BLUE), A_BOLD), paged.failure);
    for (int number = 1; number <= paged.page_count; ++number) {
        draw_frame(window, paged, number);
        paged.draw(window, number, paged.context);
        if (wait_dialog_key(window) == ESCAPE && paged.escape_closes) break;
    }
    close_dialog(window);
}
