// Player text as the screen shows it: names may hold any bytes, and only
// printable characters reach the terminal as themselves; everything else is
// shown in an ASCII visible form. No curses here: the screens write what
// these functions give.
#pragma once

#include <cstddef>
#include <cstdio>

// Whether the character type is UTF-8, so that a name's bytes are taken as
// characters; in any other locale a name is shown byte by byte.
bool utf8_locale();

// How the first `count` bytes of `bytes` stand in a UTF-8 locale: the length
// of the one valid character they begin with, 0 when they are the beginning
// of one and more must follow, -1 when they begin none.
int character_length(const char *bytes, std::size_t count);

// One character of a text as it is shown: the bytes of the text it stands
// for, and either the character itself (`wide`, not 0) or its ASCII visible
// form, and the columns it takes.
struct ShownCharacter {
    std::size_t bytes = 1;
    wchar_t wide = 0;
    char form[16] = {};
    int width = 0;
};

// The character at the start of `text`, which is not empty.
ShownCharacter next_shown(const char *text);

// The number of columns a text takes when shown.
int text_width(const char *text);

// Where to break a text to fit `columns`: the number of bytes of its first
// row, which ends before a blank when the whole text does not fit, or
// within a word longer than the row; never in the middle of a character,
// and never none: a character wider than the row takes the row alone.
// The next row starts after the blanks that follow.
std::size_t row_bytes(const char *text, int columns);

// Whether a text shows nothing but blanks.
bool blank_text(const char *text);

// Writes a message to `stream` as the screen shows a text: characters as
// put_text writes them or in their visible form, with its newlines kept.
void write_visible(std::FILE *stream, const char *text);

// `text` with every byte outside printable ASCII in its `cat -v` form, cut
// to fit `size` bytes: for messages that go to any terminal as they are.
void visible_bytes(const char *text, char *out, std::size_t size);
