// Player text as the screen shows it: the visible form of every byte and
// character that must not reach the terminal raw, the characters of a
// UTF-8 name, and the columns a text takes. Knows nothing of curses.
#include "terminal/text.h"

#include <langinfo.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>

namespace {

// The visible form of every byte, as `cat -v` shows it: printable ASCII as
// itself, control characters as ^X, DEL as ^?, and bytes from 128 as M-
// followed by the form of the byte less 128. No player byte reaches the
// terminal raw.
struct VisibleForms {
    char form[256][5] = {};
    VisibleForms() {
        for (int byte = 0; byte < 256; ++byte) {
            char *out = form[byte];
            int low = byte;
            if (low >= 128) {
                *out++ = 'M';
                *out++ = '-';
                low -= 128;
            }
            if (low < 32 || low == 127) {
                *out++ = '^';
                *out++ = static_cast<char>(low == 127 ? '?' : low + 64);
            } else {
                *out++ = static_cast<char>(low);
            }
        }
    }
};

const char *visible_form(unsigned char byte) {
    static const VisibleForms forms;
    return forms.form[byte];
}

// Format characters and separators: invisible, and some reorder or break
// the text around them (U+202E turns the rest of a line right to left), so
// they are shown by their code point, as the controls are.
bool is_format_character(wchar_t wide) {
    static constexpr struct {
        wchar_t first;
        wchar_t last;
    } ranges[] = {
        {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
        {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
        {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
        {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
        {0xE0020, 0xE007F},
    };
    for (const auto &range : ranges) {
        if (wide >= range.first && wide <= range.last) return true;
    }
    return false;
}

// Whether a character is written as itself: printable, taking at least one
// column, and no format character. C1 controls are not printable.
bool shows_as_itself(wchar_t wide) {
    return wide >= 0xA0 && std::iswprint(static_cast<wint_t>(wide)) && wcwidth(wide) > 0 &&
           !is_format_character(wide);
}

}  // namespace

// Whether the character type is UTF-8, so that a name's bytes are taken as
// characters; in any other locale a name is shown byte by byte.
bool utf8_locale() { return MB_CUR_MAX > 1 && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0; }

// How the first `count` bytes of `bytes` stand in a UTF-8 locale: the length
// of the one valid character they begin with, 0 when they are the
// beginning of one and more must follow, -1 when they begin none (a stray
// continuation byte, a cut or overlong sequence, a surrogate, a code point
// beyond U+10FFFF).
int character_length(const char *bytes, std::size_t count) {
    if (count == 0) return 0;
    const std::size_t most = count < 4 ? count : 4;
    wchar_t wide = 0;
    std::mbstate_t state{};
    const std::size_t length = std::mbrtowc(&wide, bytes, most, &state);
    if (length == static_cast<std::size_t>(-2)) return most < 4 ? 0 : -1;
    if (length == static_cast<std::size_t>(-1) || length == 0) return -1;
    if (wide > 0x10FFFF || (wide >= 0xD800 && wide <= 0xDFFF)) return -1;
    return static_cast<int>(length);
}

// The number of columns a text takes when written with put_text.
int text_width(const char *text) {
    int width = 0;
    for (const char *p = text; *p != '\0';) {
        const ShownCharacter shown = next_shown(p);
        width += shown.width;
        p += shown.bytes;
    }
    return width;
}

std::size_t row_bytes(const char *text, int columns) {
    std::size_t fitting = 0;   // the bytes of whole characters that fit
    std::size_t at_blank = 0;  // the bytes before the last blank that fits
    int width = 0;
    for (const char *p = text; *p != '\0';) {
        const ShownCharacter shown = next_shown(p);
        if (*p == ' ') at_blank = static_cast<std::size_t>(p - text);
        width += shown.width;
        if (width > columns) {
            if (at_blank > 0) return at_blank;
            return fitting > 0 ? fitting : shown.bytes;  // a row holds one character at least
        }
        p += shown.bytes;
        fitting = static_cast<std::size_t>(p - text);
    }
    return fitting;
}

// Reads the character at the start of `text` (not empty). In a UTF-8 locale
// a valid character is one entry: itself when printable, else "<U+XXXX>";
// a byte that starts no valid character is shown as M-x. Elsewhere every
// byte is shown on its own, in `cat -v` form.
ShownCharacter next_shown(const char *text) {
    ShownCharacter shown;
    const auto byte = static_cast<unsigned char>(text[0]);
    if (byte >= 0x80 && utf8_locale()) {
        const int length = character_length(text, std::strlen(text));
        if (length > 0) {
            wchar_t wide = 0;
            std::mbstate_t state{};
            std::mbrtowc(&wide, text, static_cast<std::size_t>(length), &state);
            shown.bytes = static_cast<std::size_t>(length);
            if (shows_as_itself(wide)) {
                shown.wide = wide;
                shown.width = wcwidth(wide);
                return shown;
            }
            std::snprintf(shown.form, sizeof shown.form, "<U+%04X>", static_cast<unsigned>(wide));
            shown.width = static_cast<int>(std::strlen(shown.form));
            return shown;
        }
    }
    std::snprintf(shown.form, sizeof shown.form, "%s", visible_form(byte));
    shown.width = static_cast<int>(std::strlen(shown.form));
    return shown;
}

// Writes a message to `stream` as put_text shows a text: the characters
// shown as themselves, in their own bytes, and everything else in its
// visible form; a newline ends a line. So no message, translated or not,
// puts a control character on the terminal.
void write_visible(std::FILE *stream, const char *text) {
    for (const char *p = text; *p != '\0';) {
        if (*p == '\n') {
            std::fputc('\n', stream);
            ++p;
            continue;
        }
        const ShownCharacter shown = next_shown(p);
        if (shown.wide != 0) {
            std::fwrite(p, 1, shown.bytes, stream);
        } else {
            std::fputs(shown.form, stream);
        }
        p += shown.bytes;
    }
}

// Writes `text` into `out` (`size` bytes) with every byte outside printable
// ASCII in its `cat -v` form, so that it can go to any terminal as it is;
// what does not fit is cut.
void visible_bytes(const char *text, char *out, std::size_t size) {
    std::size_t used = 0;
    for (const char *p = text; *p != '\0'; ++p) {
        const char *form = visible_form(static_cast<unsigned char>(*p));
        const std::size_t length = std::strlen(form);
        if (used + length >= size) break;
        std::memcpy(out + used, form, length);
        used += length;
    }
    out[used] = '\0';
}

// Whether a text shows nothing but blanks: spaces, and in a UTF-8 locale the
// other characters that print as empty space (U+3000, the no-break spaces).
bool blank_text(const char *text) {
    for (const char *p = text; *p != '\0';) {
        const ShownCharacter shown = next_shown(p);
        const bool blank = shown.wide != 0
                               ? std::iswspace(static_cast<wint_t>(shown.wide)) || shown.wide == 0xA0 ||
                                     shown.wide == 0x2007 || shown.wide == 0x202F
                               : std::strcmp(shown.form, " ") == 0;
        if (!blank) return false;
        p += shown.bytes;
    }
    return true;
}
