// The quit confirmation, and leaving before the game.
#include "screens/screens.h"
#include "terminal/messages.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>

namespace {

constexpr int QUIT_STATUS = 2;
constexpr int ROWS = 5;
constexpr int COLUMNS = 42;
constexpr int QUESTION_COLUMN = 2;

// The character a key begins: in a UTF-8 locale a key above 127 is the
// first byte of a character, whose other bytes follow at once. `out` holds
// the character's bytes; a key that is no byte leaves it empty.
void read_character(int key, char (&out)[8]) {
    out[0] = '\0';
    if (key < 0 || key > 255) return;
    std::size_t length = 0;
    out[length++] = static_cast<char>(key);
    if (key >= 0x80 && utf8_locale()) {
        while (length < 4 && character_length(out, length) == 0) {
            const int next = read_key_within(50);
            if (next < 0x80 || next > 0xBF) break;
            out[length++] = static_cast<char>(next);
        }
    }
    out[length] = '\0';
}

// The character a text begins with, as a wide character in lower case; 0
// for an empty text or one that begins with no valid character.
wchar_t first_lower(const char *text) {
    wchar_t wide = 0;
    std::mbstate_t state{};
    const std::size_t length = std::mbrtowc(&wide, text, std::strlen(text), &state);
    if (length == 0 || length > 4) return 0;
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(wide)));
}

// Whether a key answers yes: Y in either case, or the letter the
// translation of the question names, in either case.
bool answers_yes(int key) {
    if (ascii_upper(key) == 'Y') return true;
    char typed[8];
    read_character(key, typed);
    // TRANSLATORS: the letter that answers yes to "Are you sure you want to
    // quit (y/n)? ", as that question's translation names it: one letter.
    // Y answers yes in every language as well.
    const char *yes = _("y");
    if (typed[0] == '\0' || static_cast<unsigned char>(yes[0]) <= ' ') return false;
    if (!utf8_locale()) return ascii_upper(static_cast<unsigned char>(typed[0])) == ascii_upper(yes[0]);
    const wchar_t letter = first_lower(yes);
    return letter != 0 && first_lower(typed) == letter;
}

}  // namespace

// Asks whether to quit. A yes ends the game with the final standings and
// exit status 2; any other key closes the window and returns.
void confirm_quit() {
    WINDOW *window = open_dialog(ROWS, COLUMNS, scheme_attr(pair_attr(PAIR_RED), A_BOLD),
                                 // TRANSLATORS: a fatal message on standard error, after the
                                 // game has left the screen: "vegatrade: " stays; no room limit.
                                 // The window asks whether to quit the game (yes or no).
                                 _("vegatrade: couldn't open window for y/n prompt\n"));
    // TRANSLATORS: the quit window's title, on its top border: at most 40
    // columns with its blanks at both ends.
    const char *title = N_(" Really Quit? ");
    // TRANSLATORS: the quit question: at most 38 columns with the blank at
    // its end, after which the cursor waits. It names the letter of the
    // message "y", which answers yes.
    const char *question = N_("Are you sure you want to quit (y/n)? ");
    wattr_on(window, scheme_attr(pair_attr(PAIR_BLACK_ON_RED), A_REVERSE), nullptr);
    center_text(window, COLUMNS, 0, translation_within(title, COLUMNS - 2));
    wattr_off(window, scheme_attr(pair_attr(PAIR_BLACK_ON_RED), A_REVERSE), nullptr);
    put_text_attr_at(window, 2, QUESTION_COLUMN, scheme_attr(A_BOLD | pair_attr(PAIR_YELLOW), A_NORMAL),
                     translation_within(question, COLUMNS - 4));
    const int key = wait_dialog_key(window);
    delete_dialog(window);
    if (answers_yes(key)) {
        shutdown();
        std::exit(QUIT_STATUS);
    }
    // The question stands over the map and the panel only.
    restage({map_window, coinfo_window});
}

// Ctrl-C at the number prompt or a name: leaves at once as a confirmed quit
// does, without standings, since no game was played.
void quit_before_game() {
    close_game();
    std::exit(QUIT_STATUS);
}
